// Writes the truncated VSOP87B and ELP/MPP02 tables of the precise theory as
// C++ sources, from the data files of the npm package astronomia (MIT).
//
//   node tools/theory/generate.mjs PACKAGE_DIR OUTPUT_DIR      write the tables
//   node tools/theory/generate.mjs --study PACKAGE_DIR         print, for each
//        body, the terms kept and the largest geocentric error of the truncated
//        series against the complete ones over 1800-2200 (no output written)
//
// PACKAGE_DIR is an installed astronomia (tools/theory/generate.sh installs
// the pinned version in a temporary folder and runs this script).
//
// Truncation: a term A of the series multiplied by t^k is dropped when
// |A| * tmax^k < eps, tmax being two centuries in the series' time unit
// (0.2 Julian millennium for VSOP87, 2 Julian centuries for ELP/MPP02). eps
// is chosen per body, in radians for longitude and latitude; the distance's
// eps is the same angle times the body's mean distance.

import { readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

// Angles per body (radians) and mean heliocentric distances (AU). The
// bounds were chosen with --study: each body's truncation moves its
// geocentric place by at most 0.03" (Mercury, Venus, the Earth), 0.08"
// (Mars, whose complete series leave no more room), 0.09" (Jupiter), 0.17"
// (Saturn, Neptune), 0.27" (Uranus) over 1800-2200, within what the
// complete series leave to the accuracy asked.
const PLANETS = [
  { name: "mercury", eps: 1e-8, a: 0.387 },
  { name: "venus", eps: 5e-9, a: 0.723 },
  { name: "earth", eps: 5e-9, a: 1.0 },
  { name: "mars", eps: 5e-9, a: 1.524 },
  { name: "jupiter", eps: 3e-8, a: 5.203 },
  { name: "saturn", eps: 4e-8, a: 9.537 },
  { name: "uranus", eps: 1e-7, a: 19.19 },
  { name: "neptune", eps: 5e-8, a: 30.07 },
];
const VSOP_TMAX = 0.2; // Julian millennia
// The Moon: eps in arcseconds; the distance's in km (eps times 385,000 km).
// The truncation moves the Moon by at most 0.1" and 100 m over 1800-2200.
const MOON = { eps: 2e-3, a: 385000.0 };
const ELP_TMAX = 2.0; // Julian centuries
const ARCSEC = Math.PI / 648000;

async function load(dir, file) {
  const module = await import(pathToFileURL(join(dir, "data", file)).href);
  return module.default ?? module;
}

// Keeps the terms of one series (an array of powers, each an array of rows
// whose first entry is the amplitude) above the bound, largest first within
// each power: a sum can then stop at the first term below a coarser bound.
function truncate(series, bound, tmax) {
  const powers = Object.keys(series).sort().map((k) => series[k] ?? []);
  return powers.map((rows, k) =>
    rows.filter((row) => Math.abs(row[0]) * tmax ** k >= bound)
        .sort((x, y) => Math.abs(y[0]) - Math.abs(x[0])));
}

function truncateVsop(data, planet) {
  return {
    L: truncate(data.L, planet.eps, VSOP_TMAX),
    B: truncate(data.B, planet.eps, VSOP_TMAX),
    R: truncate(data.R, planet.eps * planet.a, VSOP_TMAX),
  };
}

function truncateElp(data) {
  const r = MOON.eps * ARCSEC * MOON.a;
  return {
    W1: data.W1,
    L: truncate(data.L, MOON.eps, ELP_TMAX),
    B: truncate(data.B, MOON.eps, ELP_TMAX),
    R: truncate(data.R, r, ELP_TMAX),
  };
}

const count = (series) => series.reduce((n, rows) => n + rows.length, 0);

// ---------------------------------------------------------------------------
// Evaluation, for the study only (the library has its own).

function vsopSum(powers, t) {
  let sum = 0;
  for (let k = powers.length - 1; k >= 0; k--) {
    let s = 0;
    for (const [a, b, c] of powers[k]) s += a * Math.cos(b + c * t);
    sum = sum * t + s;
  }
  return sum;
}

function vsopXyz(data, t) {
  const l = vsopSum(data.L, t), b = vsopSum(data.B, t), r = vsopSum(data.R, t);
  return [r * Math.cos(b) * Math.cos(l), r * Math.cos(b) * Math.sin(l), r * Math.sin(b)];
}

function elpSum(powers, t) {
  let sum = 0;
  for (let k = powers.length - 1; k >= 0; k--) {
    let s = 0;
    for (const [a, p0, p1, p2, p3, p4] of powers[k])
      s += a * Math.sin(p0 + t * (p1 + t * (p2 + t * (p3 + t * p4))));
    sum = sum * t + s;
  }
  return sum;
}

function elpXyz(data, t) {
  const w = data.W1;
  const l = w[0] + t * (w[1] + t * (w[2] + t * (w[3] + t * w[4]))) + elpSum(data.L, t) * ARCSEC;
  const b = elpSum(data.B, t) * ARCSEC, r = elpSum(data.R, t);
  return [r * Math.cos(b) * Math.cos(l), r * Math.cos(b) * Math.sin(l), r * Math.sin(b)];
}

const sub = (p, q) => p.map((x, i) => x - q[i]);
const norm = (p) => Math.hypot(...p);
function angle(p, q) {
  const c = [p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]];
  return Math.atan2(norm(c), p[0] * q[0] + p[1] * q[1] + p[2] * q[2]);
}

async function study(dir) {
  // 400 dates spread over 1800-2200 by a fixed linear congruential sequence.
  let seed = 12345;
  const dates = [];
  for (let i = 0; i < 400; i++) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    dates.push(-2.0 + (4.0 * seed) / 2147483648); // Julian centuries from J2000
  }
  const full = {}, cut = {};
  for (const p of PLANETS) {
    const data = await load(dir, `vsop87B${p.name}.js`);
    full[p.name] = { L: truncate(data.L, 0, 1), B: truncate(data.B, 0, 1), R: truncate(data.R, 0, 1) };
    cut[p.name] = truncateVsop(data, p);
  }
  const earthAt = (set, T) => vsopXyz(set.earth, T / 10);
  for (const p of PLANETS) {
    let worst = 0, dist = 0;
    for (const T of dates) {
      const a = p.name === "earth" ? earthAt(full, T).map((x) => -x)
                                   : sub(vsopXyz(full[p.name], T / 10), earthAt(full, T));
      // Each body's own truncation, against the complete Earth.
      const b = p.name === "earth" ? earthAt(cut, T).map((x) => -x)
                                   : sub(vsopXyz(cut[p.name], T / 10), earthAt(full, T));
      worst = Math.max(worst, angle(a, b) / ARCSEC);
      dist = Math.max(dist, Math.abs(norm(a) - norm(b)) * 149597870.7);
    }
    const c = cut[p.name];
    console.log(`${p.name.padEnd(8)} eps ${p.eps}  terms ${count(c.L) + count(c.B) + count(c.R)}` +
                ` of ${count(full[p.name].L) + count(full[p.name].B) + count(full[p.name].R)}` +
                `  max ${worst.toFixed(4)}"  distance ${dist.toFixed(0)} km`);
  }
  const raw = await load(dir, "elpMppDeFull.js");
  const elp = { W1: raw.W1, L: truncate(raw.L, 0, 1), B: truncate(raw.B, 0, 1), R: truncate(raw.R, 0, 1) };
  const elpCut = truncateElp(raw);
  let worst = 0, dist = 0;
  for (const T of dates) {
    const a = elpXyz(elp, T), b = elpXyz(elpCut, T);
    worst = Math.max(worst, angle(a, b) / ARCSEC);
    dist = Math.max(dist, Math.abs(norm(a) - norm(b)));
  }
  console.log(`moon     eps ${MOON.eps}"  terms ${count(elpCut.L) + count(elpCut.B) + count(elpCut.R)}` +
              ` of 35901  max ${worst.toFixed(4)}"  distance ${(dist * 1000).toFixed(0)} m`);
}

// ---------------------------------------------------------------------------
// C++ output.

const number = (x) => {
  if (x === 0) return "0.0";
  const s = String(x);
  return /[.e]/.test(s) ? s : `${s}.0`;
};

function header(version, files, rule, citation) {
  return `// clang-format off
// Generated by tools/theory/generate.mjs: do not edit.
//
// Source: the npm package astronomia ${version} (MIT licence, in
// LICENSE.astronomia beside this file), ${files}.
//
// ${citation}
//
// Truncation: ${rule}
`;
}

function writeVsop(outDir, version, planet, data, cut) {
  const name = planet.name;
  const cap = name[0].toUpperCase() + name.slice(1);
  const rows = [], counts = [];
  for (const c of ["L", "B", "R"]) {
    const powers = cut[c];
    const line = [];
    for (let k = 0; k < 6; k++) {
      const terms = powers[k] ?? [];
      line.push(terms.length);
      for (const [a, b, cc] of terms) rows.push(`    {${number(a)}, ${number(b)}, ${number(cc)}},`);
    }
    counts.push(`{${line.join(", ")}}`);
  }
  const total = count(cut.L) + count(cut.B) + count(cut.R);
  const all = count(truncate(data.L, 0, 1)) + count(truncate(data.B, 0, 1)) + count(truncate(data.R, 0, 1));
  const text = header(version, `data/vsop87B${name}.js`,
    `a term A of the series in t^k (t in Julian millennia from
// J2000 TDB) is kept when |A| * 0.2^k >= ${planet.eps} (radians; ${planet.eps} * ${planet.a} AU
// for the radius): ${total} of the ${all} terms.`,
    `VSOP87B: P. Bretagnon and G. Francou, "Planetary theories in rectangular and
// spherical variables. VSOP87 solutions", Astron. Astrophys. 202, 309 (1988).`) +
`
#include "astro/precise/vsop87.h"

namespace astro::precise::vsop87_data {
namespace {
constexpr VsopTerm kTerms[] = {
${rows.join("\n")}
};
}  // namespace

extern const VsopSeries k${cap} = {kTerms, {${counts.join(", ")}}};

}  // namespace astro::precise::vsop87_data
`;
  writeFileSync(join(outDir, `vsop87b_${name}.cpp`), text);
  return total;
}

function writeElp(outDir, version, data, cut) {
  const rows = [], counts = [];
  for (const c of ["L", "B", "R"]) {
    const line = [];
    for (let k = 0; k < 4; k++) {
      const terms = cut[c][k] ?? [];
      line.push(terms.length);
      for (const [a, ...p] of terms) rows.push(`    {${number(a)}, {${p.map(number).join(", ")}}},`);
    }
    counts.push(`{${line.join(", ")}}`);
  }
  const total = count(cut.L) + count(cut.B) + count(cut.R);
  const text = header(version, `data/elpMppDeFull.js (ELP/MPP02 with the constants fitted to
// JPL's DE405)`,
    `a term A of the series in T^k (T in Julian centuries from
// J2000 TDB) is kept when |A| * 2^k >= ${MOON.eps}" for longitude and latitude,
// ${(MOON.eps * ARCSEC * MOON.a).toPrecision(3)} km for the distance: ${total} of the 35901 terms.`,
    `ELP/MPP02: J. Chapront and G. Francou, "The lunar theory ELP revisited. Introduction
// of new planetary perturbations", Astron. Astrophys. 404, 735 (2003).`) +
`
#include "astro/precise/elp_mpp02.h"

namespace astro::precise::elp_data {
namespace {
constexpr ElpTerm kTerms[] = {
${rows.join("\n")}
};
}  // namespace

extern const ElpSeries kMoon = {
    {${data.W1.map(number).join(", ")}},
    kTerms,
    {${counts.join(", ")}}};

}  // namespace astro::precise::elp_data
`;
  writeFileSync(join(outDir, "elp_mpp02_data.cpp"), text);
  return total;
}

async function generate(dir, outDir) {
  const version = JSON.parse(readFileSync(join(dir, "package.json"), "utf8")).version;
  let planets = 0;
  for (const p of PLANETS) {
    const data = await load(dir, `vsop87B${p.name}.js`);
    const n = writeVsop(outDir, version, p, data, truncateVsop(data, p));
    console.log(`vsop87b_${p.name}.cpp: ${n} terms`);
    planets += n;
  }
  const elp = await load(dir, "elpMppDeFull.js");
  console.log(`elp_mpp02_data.cpp: ${writeElp(outDir, version, elp, truncateElp(elp))} terms`);
  writeFileSync(join(outDir, "LICENSE.astronomia"), readFileSync(join(dir, "LICENSE"), "utf8"));
}

const args = process.argv.slice(2);
if (args[0] === "--study" && args.length === 2) await study(args[1]);
else if (args.length === 2) await generate(args[0], args[1]);
else {
  console.error("usage: generate.mjs PACKAGE_DIR OUTPUT_DIR | --study PACKAGE_DIR");
  process.exit(2);
}
