// Writes the constellations Astronomy Engine's Constellation gives, for the
// tests of the library's constellation (tests/constellation_test.cpp).
//
//   node tools/sky/reference.mjs ENGINE_DIR OUTPUT_CSV
//
// Two kinds of rows, from a fixed linear congruential sequence:
//   direction  1000 directions spread evenly over the sphere, given on the
//              ICRS (J2000 mean equator)
//   body       the nine bodies at 1000 instants of TT spread over 1900-2100,
//              geocentric, on the ICRS, corrected for light-time, without
//              aberration (GeoVector)
// Columns: kind, body (empty for a direction), tt_jd, ra_h, dec_deg (ICRS),
// constellation, near_1, near_10. near_N is 1 when a direction N
// arcminutes away, in one of 16 directions around, lies in another
// constellation: within N' of a boundary, where a position that differs by
// N' may fall on the other side.

import { writeFileSync } from "node:fs";
import { join } from "node:path";
import { createRequire } from "node:module";

const [engineDir, output] = process.argv.slice(2);
if (!engineDir || !output) {
  console.error("usage: reference.mjs ENGINE_DIR OUTPUT_CSV");
  process.exit(2);
}
const A = createRequire(import.meta.url)(join(engineDir, "astronomy.js"));

let seed = 20250116;
function random() {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
}

const DEG = Math.PI / 180;
// The constellation of a point offset by `arcmin` toward 16 position
// angles around (ra hours, dec degrees) differs from its own.
function near(ra, dec, symbol, arcmin) {
  const d = (arcmin / 60) * DEG, a0 = ra * 15 * DEG, d0 = dec * DEG;
  for (let k = 0; k < 16; k++) {
    const pa = (k * Math.PI) / 8;
    const sd = Math.sin(d0) * Math.cos(d) + Math.cos(d0) * Math.sin(d) * Math.cos(pa);
    const dec1 = Math.asin(Math.max(-1, Math.min(1, sd)));
    const ra1 = a0 + Math.atan2(Math.sin(pa) * Math.sin(d) * Math.cos(d0),
                                Math.cos(d) - Math.sin(d0) * sd);
    let h = ra1 / (15 * DEG);
    h = ((h % 24) + 24) % 24;
    if (A.Constellation(h, dec1 / DEG).symbol !== symbol) return 1;
  }
  return 0;
}

function row(kind, body, tt, ra, dec) {
  const c = A.Constellation(ra, dec).symbol;
  return [kind, body, tt.toFixed(6), ra.toFixed(9), dec.toFixed(9), c,
          near(ra, dec, c, 1), near(ra, dec, c, 10)].join(",");
}

const rows = ["kind,body,tt_jd,ra_h,dec_deg,constellation,near_1,near_10"];
for (let i = 0; i < 1000; i++) {
  const ra = 24 * random();
  const dec = Math.asin(2 * random() - 1) / DEG;
  rows.push(row("direction", "", 2451545.0, ra, dec));
}
const BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"];
for (let i = 0; i < 1000; i++) {
  const tt = 2415020.5 + 73049 * random();  // 1900-2100
  const time = A.AstroTime.FromTerrestrialTime(tt - 2451545.0);
  for (const body of BODIES) {
    const v = A.GeoVector(A.Body[body], time, false);
    const eq = A.EquatorFromVector(v);
    rows.push(row("body", body.toLowerCase(), tt, eq.ra, eq.dec));
  }
}
writeFileSync(output, rows.join("\n") + "\n");
console.log(`${rows.length - 1} rows`);
