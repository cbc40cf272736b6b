// A century of eclipse searches, 2000-2100, by Astronomy Engine, the peer
// of bench/eclipse_peer.sh: SearchGlobalSolarEclipse then
// NextGlobalSolarEclipse, SearchLunarEclipse then NextLunarEclipse, and
// SearchLocalSolarEclipse/NextLocalSolarEclipse for Paris, as
// bench/eclipse_bench.cpp does with the library.
// Usage: node eclipse_peer.js MODULE_DIR
const A = require(process.argv[2]);
const start = A.MakeTime(new Date(Date.UTC(2000, 0, 1)));
const end = A.MakeTime(new Date(Date.UTC(2100, 0, 1)));

function time(name, body) {
  body();  // warm the compiler up
  const rounds = 5;
  const cpu = process.cpuUsage();
  const t0 = process.hrtime.bigint();
  let count = 0;
  for (let i = 0; i < rounds; ++i) count = body();
  const wall = Number(process.hrtime.bigint() - t0) / 1e6 / rounds;
  const used = process.cpuUsage(cpu);
  const ms = (used.user + used.system) / 1e3 / rounds;
  console.log(`astronomy-engine ${name}: ${wall.toFixed(1)} ms wall, ${ms.toFixed(1)} ms CPU, ${count} eclipses`);
}

time("solar century", () => {
  let n = 0;
  for (let e = A.SearchGlobalSolarEclipse(start); e.peak.tt < end.tt;
       e = A.NextGlobalSolarEclipse(e.peak)) ++n;
  return n;
});
time("lunar century", () => {
  let n = 0;
  for (let e = A.SearchLunarEclipse(start); e.peak.tt < end.tt; e = A.NextLunarEclipse(e.peak)) ++n;
  return n;
});
const paris = new A.Observer(48.8566, 2.3522, 35);
time("local solar century (Paris)", () => {
  let n = 0;
  for (let e = A.SearchLocalSolarEclipse(start, paris); e.peak.time.tt < end.tt;
       e = A.NextLocalSolarEclipse(e.peak.time, paris)) ++n;
  return n;
});
