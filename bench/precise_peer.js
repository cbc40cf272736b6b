// Astronomy Engine, the peer of bench/precise_peer.sh, timed on the same
// work as bench/precise_bench.cpp:
//   instant  one instant of nine apparent places (true equator and equinox
//            of date, aberration on): nine Equator calls, the same TT
//            dates as preciseInstant
//   events   the events of 2025 of the kinds Astronomy Engine searches:
//            the Moon's quarters, the seasons, the Earth's perihelion and
//            aphelion, the Moon's perigee and apogee, the conjunctions and
//            oppositions of Mercury to Neptune (relative longitude 0 and
//            180 degrees) and the greatest elongations of Mercury and Venus
//            (preciseYearOfEvents: the same kinds, close approaches left
//            out, which it has no search for)
//   days     a year of days at Paris from 2025-01-01 0h UT: each day the
//            rise, upper transit and set of the nine bodies and the Sun's
//            civil, nautical and astronomical dawn and dusk (SearchRiseSet,
//            SearchHourAngle, SearchAltitude), as preciseYearOfDays
// Usage: node precise_peer.js MODULE_DIR [instant|events|days]...
const A = require(process.argv[2]);
const what = process.argv.length > 3 ? process.argv.slice(3) : ["instant", "events", "days"];
const bodies = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"];
// precise_bench's dateOf(i), as days from J2000 (Astronomy Engine's time).
const dateOf = (i) => 2378505.5 + (i % 3900) * 37.4563 - 2451545.0;
const start2025 = A.MakeTime(new Date(Date.UTC(2025, 0, 1)));
const end2025 = A.MakeTime(new Date(Date.UTC(2026, 0, 1)));

// Microseconds of wall-clock and CPU time per call of `work`, after a
// warm-up.
function timed(work, count, warm) {
  let sink = 0;
  for (let i = 0; i < warm; ++i) sink += work(i);
  const cpu = process.cpuUsage();
  const start = process.hrtime.bigint();
  for (let i = 0; i < count; ++i) sink += work(i);
  const wall = Number(process.hrtime.bigint() - start) / 1e3 / count;
  const used = process.cpuUsage(cpu);
  return { wall, cpu: (used.user + used.system) / count, sink };
}

function instant(i) {
  const observer = new A.Observer(0, 0, 0);
  const time = A.MakeTime(dateOf(i));
  let sink = 0;
  for (const body of bodies) sink += A.Equator(body, time, observer, true, true).ra;
  return sink;
}

// Every event of 2025 of the kinds above; returns their count.
function yearOfEvents() {
  let count = 0;
  for (let q = A.SearchMoonQuarter(start2025); q.time.tt < end2025.tt; q = A.NextMoonQuarter(q)) {
    ++count;
  }
  count += 4;
  A.Seasons(2025);
  for (let a = A.SearchPlanetApsis(A.Body.Earth, start2025); a.time.tt < end2025.tt;
       a = A.NextPlanetApsis(A.Body.Earth, a)) {
    ++count;
  }
  for (let a = A.SearchLunarApsis(start2025); a.time.tt < end2025.tt; a = A.NextLunarApsis(a)) {
    ++count;
  }
  for (const body of bodies.slice(2)) {
    for (const angle of [0, 180]) {
      for (let t = A.SearchRelativeLongitude(body, angle, start2025); t.tt < end2025.tt;
           t = A.SearchRelativeLongitude(body, angle, t.AddDays(1))) {
        ++count;
      }
    }
  }
  for (const body of ["Mercury", "Venus"]) {
    for (let e = A.SearchMaxElongation(body, start2025); e.time.tt < end2025.tt;
         e = A.SearchMaxElongation(body, e.time.AddDays(1))) {
      ++count;
    }
  }
  return count;
}

// A year of days at Paris; returns the number of events found.
function yearOfDays() {
  const paris = new A.Observer(48.8566, 2.3522, 0);
  let found = 0;
  for (let day = 0; day < 365; ++day) {
    const start = start2025.AddDays(day);
    for (const body of bodies) {
      for (const direction of [+1, -1]) {
        if (A.SearchRiseSet(body, paris, direction, start, 1)) ++found;
      }
      if (A.SearchHourAngle(body, paris, 0, start).time.ut < start.ut + 1) ++found;
    }
    for (const altitude of [-6, -12, -18]) {
      for (const direction of [+1, -1]) {
        if (A.SearchAltitude(A.Body.Sun, paris, direction, start, 1, altitude)) ++found;
      }
    }
  }
  return found;
}

for (const w of what) {
  if (w === "instant") {
    const r = timed(instant, 20000, 2000);
    console.log(`astronomy-engine nine Equator calls: ${r.wall.toFixed(1)} us wall, ${r.cpu.toFixed(1)} us CPU`);
  } else if (w === "events") {
    const r = timed(yearOfEvents, 5, 1);
    console.log(`astronomy-engine year of events (${yearOfEvents()}): ${(r.wall / 1000).toFixed(1)} ms wall, ${(r.cpu / 1000).toFixed(1)} ms CPU`);
  } else if (w === "days") {
    const r = timed(yearOfDays, 2, 1);
    console.log(`astronomy-engine year of days at Paris (${yearOfDays()} events): ${(r.wall / 1000).toFixed(1)} ms wall, ${(r.cpu / 1000).toFixed(1)} ms CPU`);
  }
}
