#!/usr/bin/python3
"""Transits of Mercury and Venus and occultations of the planets by the Moon,
found again from JPL's DE405 and ERFA, against the library's.

The reference places are computed here from DE405 (de405.py) and ERFA alone:

  light-time   the body at t - tau (barycentric, DE405 at that instant,
               iterated), the observer at t
  observer     the Earth's centre, or a place on the WGS84 ellipsoid (gd2gc)
               turned by the apparent sidereal time (gst06a) onto the true
               equator of date and back to the ICRS, its velocity (the
               Earth's rotation) added to the Earth's for the aberration
  deflection   by the Sun (ld), for the planets
  aberration   ab, the observer's barycentric velocity
  frame        IAU 2006/2000A (pnm06a), true equator and equinox of date

with the library's discs: the Sun's radius 959.63" at 1 AU, the Moon's
0.2725076 times 6378.1366 km, the planets' equatorial radii (Mercury
2440.53 km, Venus 6051.8, Mars 3396.19, Jupiter 71492, Saturn 60268,
Uranus 25559, Neptune 24764). The least separation is found by golden
sections, each contact (the separation of the centres equal to the sum or
the difference of the radii, or the large radius for an occultation's
disappearance and reappearance of the planet's centre) by bisection, to
1e-8 day. Instants are Julian Days of TT, Delta T 0 (UT1 = TT as numbers,
in the reference and in the probe alike).

The occultations are searched here on their own too: every instant of 2025
an hour apart where the geocentric separation of the Moon and the planet
falls below 1.6 degrees is refined from the place; the occultations found
from the place are matched with the library's, so that a missing or an extra
one shows.

A second reference, Debian's swetest (its Moshier ephemeris, -emos; a
command-line program used here only), gives apparent places, geocentric or
topocentric, from which --swetest finds a few contacts by bisection: its
topocentric places turn the Earth by its own Delta T, which the probe is
then given.

Usage (with /usr/bin/python3, where ERFA is installed):
  transits.py --reference             print the reference contacts (the
                                      tables of tests/transit_test.cpp)
  transits.py --swetest --probe PATH  a few contacts from swetest's places
                                      against the library's
  transits.py --probe PATH [--check]  the library (transits_probe) against
                                      the reference: the largest differences;
                                      with --check, exit status 1 beyond
                                      BOUND_SECONDS
"""

import argparse
import math
import pathlib
import subprocess
import sys

try:
    import erfa
    import numpy as np
except ImportError as missing:
    print(f"{missing}: install python3-erfa and python3-numpy, run with /usr/bin/python3")
    sys.exit(77)

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
try:
    import de405  # noqa: E402

    EPH = de405.De405()
except (OSError, ValueError) as missing:
    print(f"{missing}: install casacore-data-jpl-de405")
    sys.exit(77)

BOUND_SECONDS = 30.0
AU_KM = 149597870.7
ARCSEC = math.pi / 180.0 / 3600.0
SUN_RADIUS_KM = 959.63 * ARCSEC * AU_KM
MOON_RADIUS_KM = 0.2725076 * 6378.1366
PLANET_RADIUS_KM = {"mercury": 2440.53, "venus": 6051.8, "mars": 3396.19, "jupiter": 71492.0,
                    "saturn": 60268.0, "uranus": 25559.0, "neptune": 24764.0}
EARTH_ROTATION = 7.292115e-5 * 86400.0  # radians a day

# The transits of 1999-2039: body and a day of it (UT); 1999 grazed the
# Sun's limb.
TRANSITS = [("mercury", 1999, 11, 15), ("mercury", 2003, 5, 7), ("venus", 2004, 6, 8), ("mercury", 2006, 11, 8),
            ("venus", 2012, 6, 5), ("mercury", 2016, 5, 9), ("mercury", 2019, 11, 11),
            ("mercury", 2032, 11, 13), ("mercury", 2039, 11, 7)]
# Transits seen from places: body, a day of it, latitude, longitude (degrees), height (m).
LOCAL_TRANSITS = [("mercury", 2019, 11, 11, 48.8566, 2.3522, 35.0, "Paris"),
                  ("mercury", 2019, 11, 11, 40.7128, -74.0060, 10.0, "New York"),
                  ("venus", 2012, 6, 5, -33.8688, 151.2093, 20.0, "Sydney"),
                  ("venus", 2004, 6, 8, 48.8566, 2.3522, 35.0, "Paris")]
# Occultations searched in 2025 from these places, for these planets.
PLACES = [("New York", 40.7128, -74.0060, 10.0), ("Denver", 39.7392, -104.9903, 1609.0),
          ("Mexico", 19.4326, -99.1332, 2240.0), ("Paris", 48.8566, 2.3522, 35.0),
          ("Tokyo", 35.6762, 139.6503, 40.0)]
OCCULTING = ["mars", "venus", "saturn", "jupiter", "mercury", "uranus", "neptune"]


def jd_of(y, m, d, f=0.0):
    a, b = erfa.cal2jd(y, m, d)
    return a + b + f


def iso(t):
    if t is None or math.isnan(t):
        return "-"
    y, m, d, f = erfa.jd2cal(t, 0.0)
    s = f * 86400.0
    return f"{y:04d}-{m:02d}-{d:02d} {int(s // 3600):02d}:{int(s % 3600 // 60):02d}:{s % 60:05.2f}"


def site_state(t, site):
    """Position (AU) and velocity (AU/day) of a place from the Earth's centre, ICRS axes."""
    lat, lon, height = site
    xyz = erfa.gd2gc(1, math.radians(lon), math.radians(lat), height) / 1000.0 / AU_KM
    gast = erfa.gst06a(t, 0.0, t, 0.0)
    c, s = math.cos(gast), math.sin(gast)
    p = np.array([c * xyz[0] - s * xyz[1], s * xyz[0] + c * xyz[1], xyz[2]])
    v = EARTH_ROTATION * np.array([-p[1], p[0], 0.0])
    back = erfa.pnm06a(t, 0.0).T
    return back @ p, back @ v


def apparent(body, t, site=None):
    """The apparent place (AU, true equator and equinox of date) of a body at TT t."""
    direction, distance = EPH.apparent(body, t, None if site is None else site_state(t, site))
    return distance * direction


def sight(large, small, t, site=None):
    """Separation, large and small radii (radians) and the small body's position angle."""
    a = apparent(large, t, site)
    b = apparent(small, t, site)
    da, db = np.linalg.norm(a), np.linalg.norm(b)
    separation = math.atan2(np.linalg.norm(np.cross(a, b)), a @ b)
    big = SUN_RADIUS_KM if large == "sun" else MOON_RADIUS_KM
    ra1, de1 = math.atan2(a[1], a[0]), math.asin(a[2] / da)
    ra2, de2 = math.atan2(b[1], b[0]), math.asin(b[2] / db)
    pa = math.atan2(math.sin(ra2 - ra1) * math.cos(de2),
                    math.cos(de1) * math.sin(de2) - math.sin(de1) * math.cos(de2) * math.cos(ra2 - ra1))
    return (separation, math.asin(big / (da * AU_KM)),
            math.asin(PLANET_RADIUS_KM[small] / (db * AU_KM)), math.degrees(pa) % 360.0)


def golden_min(f, lo, hi, tolerance=1e-8):
    g = (math.sqrt(5) - 1) / 2
    x1, x2 = hi - g * (hi - lo), lo + g * (hi - lo)
    f1, f2 = f(x1), f(x2)
    while hi - lo > tolerance:
        if f1 < f2:
            hi, x2, f2 = x2, x1, f1
            x1 = hi - g * (hi - lo)
            f1 = f(x1)
        else:
            lo, x1, f1 = x1, x2, f2
            x2 = lo + g * (hi - lo)
            f2 = f(x2)
    return (lo + hi) / 2


def bisect(f, lo, hi, tolerance=1e-8):
    flo = f(lo)
    if (flo > 0) == (f(hi) > 0):
        return float("nan")
    while hi - lo > tolerance:
        mid = (lo + hi) / 2
        if (f(mid) > 0) == (flo > 0):
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def contacts(large, small, near, site=None):
    """(C1, C2, C3, C4, greatest, least separation in arcsec, centre in, centre out, PA in, PA out)."""
    sep = lambda t: sight(large, small, t, site)[0]  # noqa: E731
    # The least separation within a day either side, from an hourly scan.
    grid = [near - 1.0 + k / 24.0 for k in range(49)]
    best = min(grid, key=sep)
    greatest = golden_min(sep, best - 1.0 / 24.0, best + 1.0 / 24.0)
    s, big, little, _ = sight(large, small, greatest, site)
    result = [float("nan")] * 4
    before, after = greatest - 0.6, greatest + 0.6

    def limit(sign):
        def f(t):
            x = sight(large, small, t, site)
            return x[0] - (x[1] + sign * x[2])
        return f

    if s < big + little:
        result[0] = bisect(limit(1), before, greatest)
        result[3] = bisect(limit(1), greatest, after)
    if s < big - little:
        result[1] = bisect(limit(-1), before, greatest)
        result[2] = bisect(limit(-1), greatest, after)
    centre = [float("nan")] * 2
    angles = [float("nan")] * 2
    if s < big:
        centre = [bisect(limit(0), before, greatest), bisect(limit(0), greatest, after)]
        angles = [sight(large, small, t, site)[3] for t in centre]
    return result + [greatest, s / ARCSEC] + centre + angles


def reference_transits():
    rows = []
    for body, y, m, d in TRANSITS:
        rows.append((body, contacts("sun", body, jd_of(y, m, d, 0.5))))
    return rows


def reference_local():
    rows = []
    for body, y, m, d, lat, lon, h, name in LOCAL_TRANSITS:
        rows.append((body, name, (lat, lon, h),
                     contacts("sun", body, jd_of(y, m, d, 0.5), (lat, lon, h))))
    return rows


def reference_occultations(year=2025):
    """Occultations seen from each place in the year, found from an hourly scan."""
    start, end = jd_of(year, 1, 1), jd_of(year + 1, 1, 1)
    found = []
    candidates = {planet: [] for planet in OCCULTING}
    t = start
    while t < end:
        a = apparent("moon", t)
        for planet in OCCULTING:
            b = apparent(planet, t)
            s = math.atan2(np.linalg.norm(np.cross(a, b)), a @ b)
            hits = candidates[planet]
            if s < math.radians(1.6) and (not hits or t - hits[-1] > 2.0):
                hits.append(t)
        t += 1.0 / 24.0
    for planet in OCCULTING:
        for near in candidates[planet]:
            for name, lat, lon, h in PLACES:
                site = (lat, lon, h)
                row = contacts("moon", planet, near + 0.5, site)
                if not math.isnan(row[0]):
                    found.append((planet, name, site, row))
    return found


def run_probe(probe, commands):
    out = subprocess.run([probe], input="\n".join(commands) + "\n", capture_output=True,
                         text=True, check=True).stdout
    return [line.split(",") for line in out.splitlines()]


def seconds(a, b):
    if math.isnan(a) and math.isnan(b):
        return 0.0
    if math.isnan(a) or math.isnan(b):
        return float("inf")
    return abs(a - b) * 86400.0


def compare(probe):
    worst = {"transit": 0.0, "greatest": 0.0, "separation": 0.0, "local": 0.0,
             "occultation": 0.0, "angle": 0.0}
    print("Geocentric transits, TT (library - DE405, seconds):")
    for body, ref in reference_transits():
        line = run_probe(probe, [f"transit {body} {ref[4] - 2.0}"])[0]
        lib = [float(x) for x in line[2:8]]
        diffs = [seconds(lib[i], ref[i]) for i in range(4)]
        worst["transit"] = max(worst["transit"], *diffs)
        worst["greatest"] = max(worst["greatest"], seconds(lib[4], ref[4]))
        worst["separation"] = max(worst["separation"], abs(lib[5] - ref[5]))
        print(f"  {body:8s} {iso(ref[0])}  C1..C4 {' '.join(f'{x:5.2f}' for x in diffs)}"
              f"  greatest {seconds(lib[4], ref[4]):5.2f}  least {ref[5]:7.2f}\" ({lib[5] - ref[5]:+.3f})")
    print("Transits seen from places, TT:")
    for body, name, (lat, lon, h), ref in reference_local():
        line = run_probe(probe, [f"local {body} {ref[4] - 2.0} {lat} {lon} {h}"])[0]
        lib = [float(x) for x in line[2:8]]
        diffs = [seconds(lib[i], ref[i]) for i in range(4)]
        worst["local"] = max(worst["local"], *diffs)
        print(f"  {body:8s} {name:10s} {iso(ref[0])}  C1..C4 {' '.join(f'{x:5.2f}' for x in diffs)}")
    print("Occultations of 2025 seen from places, TT:")
    refs = reference_occultations()
    matched = 0
    for planet, name, (lat, lon, h), ref in refs:
        lines = run_probe(probe, [f"occultation {planet} {ref[4] - 1.0} {ref[4] + 1.0} {lat} {lon} {h}"])
        rows = [[float(x) for x in line[2:12]] for line in lines if line[0] == "occultation"]
        if not rows:
            print(f"  MISSING {planet} {name} {iso(ref[0])}")
            worst["occultation"] = float("inf")
            continue
        lib = min(rows, key=lambda r: abs(r[0] - ref[0]))
        matched += 1
        diffs = [seconds(lib[i], ref[i]) for i in range(4)] + [seconds(lib[4], ref[6]),
                                                               seconds(lib[5], ref[7])]
        angles = [abs((lib[6] - ref[8] + 180) % 360 - 180) if not math.isnan(ref[8]) else 0.0,
                  abs((lib[7] - ref[9] + 180) % 360 - 180) if not math.isnan(ref[9]) else 0.0]
        worst["occultation"] = max(worst["occultation"], *diffs)
        worst["angle"] = max(worst["angle"], *angles)
        print(f"  {planet:8s} {name:10s} {iso(ref[6] if not math.isnan(ref[6]) else ref[0])}"
              f"  C1..C4 {' '.join(f'{x:5.2f}' for x in diffs[:4])}"
              f"  centre {diffs[4]:5.2f} {diffs[5]:5.2f}  PA {ref[8]:6.2f} {ref[9]:6.2f}"
              f" ({angles[0]:.3f} {angles[1]:.3f})")
    # Extra: the library's occultations of the year from each place not in the reference.
    extra = 0
    for name, lat, lon, h in PLACES:
        for planet in OCCULTING:
            lines = run_probe(probe, [f"occultation {planet} {jd_of(2025, 1, 1)} "
                                      f"{jd_of(2026, 1, 1)} {lat} {lon} {h}"])
            for line in lines:
                if line[0] != "occultation":
                    continue
                c1 = float(line[2])
                if not any(p == planet and n == name and abs(r[0] - c1) < 0.1 for p, n, _, r in refs):
                    print(f"  EXTRA {planet} {name} {iso(c1)}")
                    extra += 1
    print(f"  {matched} of {len(refs)} matched, {extra} extra")
    print("Largest differences: " + ", ".join(f"{k} {v:.3f}" for k, v in worst.items()))
    ok = (max(worst["transit"], worst["local"], worst["occultation"]) <= BOUND_SECONDS
          and extra == 0)
    return ok


def swetest_place(jd, body, topo=None):
    """swetest's apparent right ascension, declination (radians) and distance (AU) at TT jd."""
    import re
    args = ["swetest", f"-j{jd:.8f}", f"-p{body}", "-fPADR", "-head", "-emos"]
    if topo:
        args.append(f"-topo{topo}")
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    m = re.search(r"(\d+)h\s*(\d+)'\s*([\d.]+)\s+(-?)(\d+)°\s*(\d+)'\s*([\d.]+)\s+([\d.]+)", out)
    h, mi, sec, sign, d, dm, ds, r = m.groups()
    ra = math.radians((int(h) + int(mi) / 60 + float(sec) / 3600) * 15)
    dec = math.radians((int(d) + int(dm) / 60 + float(ds) / 3600) * (-1 if sign else 1))
    return ra, dec, float(r)


def swetest_delta_t(jd):
    out = subprocess.run(["swetest", f"-j{jd:.8f}", "-pq", "-head", "-emos"], capture_output=True,
                         text=True, check=True).stdout
    return float(out.split()[2].rstrip("s"))


def swetest_check(probe):
    """Contacts from swetest's places against the library's (TT, seconds)."""
    def limit(large, small, topo, radius_km, sign, small_km):
        def f(jd):
            a, b = swetest_place(jd, large, topo), swetest_place(jd, small, topo)
            s = math.acos(min(1.0, math.sin(a[1]) * math.sin(b[1])
                              + math.cos(a[1]) * math.cos(b[1]) * math.cos(a[0] - b[0])))
            return s - (math.asin(radius_km / (a[2] * AU_KM))
                        + sign * math.asin(small_km / (b[2] * AU_KM)))
        return f

    worst = 0.0
    # Geocentric transits: swetest's -j is TT.
    for body, number, near, index in [("mercury", "2", 2458799.0254, 0), ("mercury", "2", 2458799.2537, 3),
                                      ("venus", "3", 2456084.4242, 0), ("venus", "3", 2456084.7018, 3)]:
        sign = 1
        t = bisect(limit("0", number, None, SUN_RADIUS_KM, sign, PLANET_RADIUS_KM[body]),
                   near - 0.01, near + 0.01)
        line = run_probe(probe, [f"transit {body} {near - 2.0}"])[0]
        lib = float(line[2 + index])
        worst = max(worst, seconds(lib, t))
        print(f"  {body} C{index + 1} {iso(t)} TT: library - swetest {86400 * (lib - t):+.2f} s")
    # Occultations: swetest turns the Earth by its Delta T; the probe gets the same.
    for planet, number, (name, lat, lon, h), near in [
            ("mars", "4", PLACES[0], 2460689.5992), ("saturn", "6", PLACES[3], 2460680.2257),
            ("venus", "3", PLACES[3], 2460938.0029)]:
        topo = f"{lon},{lat},{h}"
        t = bisect(limit("1", number, topo, MOON_RADIUS_KM, 0, PLANET_RADIUS_KM[planet]),
                   near - 0.01, near + 0.01)
        dt = swetest_delta_t(t)
        lines = run_probe(probe, [f"occultation {planet} {t - 0.5} {t + 0.5} {lat} {lon} {h} {dt}"])
        lib = float(lines[0][6])
        worst = max(worst, seconds(lib, t))
        print(f"  {planet} from {name} {iso(t)} TT, disappearance: library - swetest "
              f"{86400 * (lib - t):+.2f} s")
    print(f"Largest difference from swetest: {worst:.2f} s")
    return worst <= BOUND_SECONDS


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--reference", action="store_true")
    parser.add_argument("--probe")
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--swetest", action="store_true")
    args = parser.parse_args()
    if args.reference:
        print("Geocentric transits (TT, Julian Days): C1, C2, C3, C4, greatest, least separation (\")")
        for body, r in reference_transits():
            print(f"  {body} {iso(r[0])}: " + ", ".join(f"{x:.8f}" for x in r[:5]) + f", {r[5]:.3f}")
        print("Transits from places (TT): C1, C2, C3, C4")
        for body, name, site, r in reference_local():
            print(f"  {body} {name} {site}: " + ", ".join(f"{x:.8f}" for x in r[:4]))
        print("Occultations of 2025 (TT): C1..C4, disappearance, reappearance, PA in, PA out")
        for planet, name, site, r in reference_occultations():
            print(f"  {planet} {name} {site}: " + ", ".join(f"{x:.8f}" for x in r[:4] + r[6:8])
                  + f", {r[8]:.3f}, {r[9]:.3f}   {iso(r[6])}")
        return 0
    if args.swetest and args.probe:
        ok = swetest_check(args.probe)
        return 0 if ok or not args.check else 1
    if args.probe:
        ok = compare(args.probe)
        return 0 if ok or not args.check else 1
    parser.print_help()
    return 2


if __name__ == "__main__":
    sys.exit(main())
