// One instant of nine apparent places (true equator and equinox of date,
// aberration on) by Astronomy Engine, the peer of bench/precise_peer.sh:
// the same TT dates as bench/precise_bench.cpp, timed per instant.
// Usage: node precise_peer.js MODULE_DIR
const A = require(process.argv[2]);
const observer = new A.Observer(0, 0, 0);
const bodies = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"];
// precise_bench's dateOf(i), as days from J2000 (Astronomy Engine's time).
const dateOf = (i) => 2378505.5 + (i % 3900) * 37.4563 - 2451545.0;

function run(count) {
  let sink = 0;
  const cpu = process.cpuUsage();
  const start = process.hrtime.bigint();
  for (let i = 0; i < count; ++i) {
    const time = A.MakeTime(dateOf(i));
    for (const body of bodies) sink += A.Equator(body, time, observer, true, true).ra;
  }
  const wall = Number(process.hrtime.bigint() - start) / 1e3 / count;
  const used = process.cpuUsage(cpu);
  return { wall, cpu: (used.user + used.system) / count, sink };
}

run(2000);  // warm the compiler up
const r = run(20000);
console.log(`astronomy-engine nine Equator calls: ${r.wall.toFixed(1)} us wall, ${r.cpu.toFixed(1)} us CPU`);
