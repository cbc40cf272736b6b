#!/usr/bin/python3
"""Measure the precise theory against JPL-grade ephemerides.

The library's precise places are read through a probe, precise_probe, which
prints them for Julian Days in TT given on its standard input. Two
references, each run here as a program or read as a file, never linked:

  swetest    Debian's swetest with swe-basic-data (its files cover
             1800-2400): the geometric geocentric ICRS place (-true -j2000
             -icrs), the geometric place of the mean equator and equinox of
             date (-true -nonut) and the apparent place of date (its default)
  DE405      JPL's DE405 itself, from Debian's casacore-data-jpl-de405
             (1960-2060, de405.py): geometric geocentric ICRF vectors

Usage (always with /usr/bin/python3, where numpy is installed):
  precise.py [--probe PATH] [--out DIR] [--dates N]   write the "precise"
                      section of DIR/accuracy.md (N random dates, 1000 by default)
  precise.py --check --probe PATH    compare 40 random dates with the bounds
                      below; exit status 1 if one is exceeded, 77 without
                      swetest or its files
"""

import argparse
import math
import pathlib
import shutil
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import accuracy  # noqa: E402  (exits with 77 when ERFA or numpy is missing)
import numpy as np  # noqa: E402

REPO = accuracy.REPO
EPHE = pathlib.Path("/usr/share/libswe/ephe")
ARCSEC = math.pi / (180.0 * 3600.0)
AU_KM = 149597870.7
BODIES = ("sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune")

# What the theory promises against a JPL-grade ephemeris over 1800-2200,
# geometric; the apparent places may be 0.1" further.
BOUND = {"sun": 0.3, "moon": 0.3, "mercury": 0.3, "venus": 0.3, "mars": 1.0, "jupiter": 1.0,
         "saturn": 1.0, "uranus": 4.0, "neptune": 4.0}
APPARENT_MARGIN = 0.1

# 1800 January 10 to 2199 December 20, TT: swetest's apparent places need
# its files a light-time before the date.
FIRST, LAST = 2378505.5, 2524583.5
DE405_FIRST, DE405_LAST = 2437000.5, 2472000.5


def unit(ra, dec):
    return np.stack([np.cos(dec) * np.cos(ra), np.cos(dec) * np.sin(ra), np.sin(dec)], axis=-1)


def separation(a, b):
    """Angle between vectors, arcseconds."""
    cross = np.linalg.norm(np.cross(a, b), axis=-1)
    return np.arctan2(cross, np.sum(a * b, axis=-1)) / ARCSEC


def run_probe(probe, dates):
    text = "".join(f"{jd:.9f}\n" for jd in dates)
    out = subprocess.run([str(probe)], input=text, capture_output=True, text=True, check=True)
    rows = [line.split(",") for line in out.stdout.strip().split("\n")[1:]]
    values = np.array([[float(x) for x in row[2:]] for row in rows])
    return values.reshape(len(dates), len(BODIES), 12)


def swetest(jd, *flags):
    """Right ascension, declination (radians) and distance (AU) of each body."""
    out = subprocess.run(
        ["swetest", f"-j{jd:.9f}", "-p0123456789", "-fadR", "-head", f"-edir{EPHE}", *flags],
        capture_output=True, text=True, check=True).stdout
    rows = [line.split() for line in out.strip().split("\n")][: len(BODIES)]
    values = np.array([[float(x) for x in row] for row in rows])
    return np.radians(values[:, 0]), np.radians(values[:, 1]), values[:, 2]


def measure(probe, dates):
    """Errors (arcseconds, km) of each body on each date against swetest."""
    ours = run_probe(probe, dates)
    errors = {key: np.zeros((len(dates), len(BODIES)))
              for key in ("icrs", "icrs_km", "of_date", "apparent")}
    for i, jd in enumerate(dates):
        ra, dec, dist = swetest(jd, "-true", "-j2000", "-icrs")
        errors["icrs"][i] = separation(ours[i, :, 0:3], unit(ra, dec))
        errors["icrs_km"][i] = (np.linalg.norm(ours[i, :, 0:3], axis=-1) - dist) * AU_KM
        ra, dec, _ = swetest(jd, "-true", "-nonut")
        errors["of_date"][i] = separation(unit(ours[i, :, 3], ours[i, :, 4]), unit(ra, dec))
        ra, dec, _ = swetest(jd)
        errors["apparent"][i] = separation(unit(ours[i, :, 6], ours[i, :, 7]), unit(ra, dec))
    return errors


def measure_de405(probe, dates):
    """Errors (arcseconds, km) of the geometric ICRS vectors against DE405."""
    import de405
    eph = de405.De405()
    ours = run_probe(probe, dates)
    angle = np.zeros((len(dates), len(BODIES)))
    km = np.zeros_like(angle)
    for i, jd in enumerate(dates):
        for j, body in enumerate(BODIES):
            ref = eph.geocentric(body, jd)[0]
            angle[i, j] = separation(ours[i, j, 0:3], ref)
            km[i, j] = (np.linalg.norm(ours[i, j, 0:3]) - np.linalg.norm(ref)) * AU_KM
    return angle, km


# Event times against DE405. The library's side is found by bisection on the
# probe's values, every event of a kind at once; DE405's side by the same
# bisection on places built here: light-time on barycentric vectors, the
# annual aberration (ab), IAU 2006/2000A precession-nutation (pnm06a) and
# the true obliquity of date (obl06, nut06a).
C_AU_PER_DAY = 86400.0 / 499.004783836
ITERATIONS = 50  # halvings of a bracket of days: far below a millisecond


def wrap(a):
    return (a + math.pi) % (2.0 * math.pi) - math.pi


def de405_longitude(eph, body, t):
    """Apparent ecliptic longitude of date (radians) from DE405."""
    import erfa
    eb, ebv = eph.barycentric("earth", t)
    tau = 0.0
    for _ in range(4):
        u = eph.barycentric(body, t - tau)[0] - eb
        tau = np.linalg.norm(u) / C_AU_PER_DAY
    sun = eph.barycentric("sun", t)[0]
    v = ebv / C_AU_PER_DAY
    p = erfa.ab(u / np.linalg.norm(u), v, np.linalg.norm(eb - sun), math.sqrt(1.0 - v @ v))
    _, deps = erfa.nut06a(t, 0.0)
    q = erfa.rx(erfa.obl06(t, 0.0) + deps, np.eye(3)) @ (erfa.pnm06a(t, 0.0) @ p)
    return math.atan2(q[1], q[0])


def bisect(f, low, high):
    """Roots of the vectorised f in [low, high], f rising through zero."""
    for _ in range(ITERATIONS):
        middle = 0.5 * (low + high)
        below = f(middle) < 0.0
        low = np.where(below, middle, low)
        high = np.where(below, high, middle)
    return 0.5 * (low + high)


def event_kinds(rng):
    """Guesses (TT) and half-brackets (days) of each kind of event, 1961-2058."""
    years = rng.integers(1961, 2058, 60)
    seasons = rng.integers(0, 4, 60)
    offsets = np.array([0.0, 92.8, 186.4, 275.9])
    lunations = rng.integers(-480, 720, 60)
    apsides = np.arange(1961, 2059, 3)
    return {
        "equinoxes and solstices": (2451623.8 + 365.2422 * (years - 2000) + offsets[seasons],
                                    seasons * (math.pi / 2.0), 3.0),
        "new moons": (2451550.1 + 29.530589 * lunations, np.zeros(60), 1.2),
        "full moons": (2451564.9 + 29.530589 * lunations, np.full(60, math.pi), 1.2),
        "perihelia": (2451545.0 + 365.2422 * (apsides - 2000) + 2.5, None, 3.0),
        "aphelia": (2451545.0 + 365.2422 * (apsides - 2000) + 185.0, None, 3.0),
    }


def measure_events(probe):
    """Per kind of event: the library's times less DE405's, seconds."""
    import de405
    eph = de405.De405()
    h = 0.01  # days: the distance's slope from r(t + h) - r(t - h)
    results = {}
    for kind, (guess, target, half) in event_kinds(np.random.default_rng(1961)).items():
        def column(t, index, body=0):
            return run_probe(probe, t)[:, body, index]
        if target is None:
            sign = 1.0 if kind == "perihelia" else -1.0
            def slope(t, index):
                both = run_probe(probe, np.concatenate([t + h, t - h]))[:, 0, index]
                return sign * (both[: len(t)] - both[len(t):])
            ours = {"": bisect(lambda t: slope(t, 10), guess - half, guess + half),
                    " (epv00)": bisect(lambda t: slope(t, 11), guess - half, guess + half)}
            def reference(t):
                r = [sign * (np.linalg.norm(eph.heliocentric("earth", x + h)[0])
                             - np.linalg.norm(eph.heliocentric("earth", x - h)[0])) for x in t]
                return np.array(r)
        else:
            moon = not kind.startswith("equinoxes")
            def elongation(t):
                values = run_probe(probe, t)
                lon = values[:, 1 if moon else 0, 9] - (values[:, 0, 9] if moon else 0.0)
                return wrap(lon - target)
            ours = {"": bisect(elongation, guess - half, guess + half)}
            def reference(t):
                return np.array([wrap(de405_longitude(eph, "moon", x) - de405_longitude(eph, "sun", x)
                                      - a) if moon else wrap(de405_longitude(eph, "sun", x) - a)
                                 for x, a in zip(t, target)])
        # DE405's within a minute of the library's first answer.
        first = ours[""]
        expected = bisect(reference, first - 0.02, first + 0.02)
        for name, times in ours.items():
            results[kind + name] = (times - expected) * 86400.0
    return results


def dates_between(first, last, count, seed):
    return np.sort(np.random.default_rng(seed).uniform(first, last, count))


def references_missing():
    if shutil.which("swetest") is None or not (EPHE / "sepl_18.se1").exists():
        print("swetest or swe-basic-data missing: install swetest and swe-basic-data")
        return True
    return False


def check(probe):
    if references_missing():
        return 77
    errors = measure(probe, dates_between(FIRST, LAST, 40, 26))
    failed = False
    for j, body in enumerate(BODIES):
        worst = {key: errors[key][:, j].max() for key in ("icrs", "of_date", "apparent")}
        bound = {"icrs": BOUND[body], "of_date": BOUND[body],
                 "apparent": BOUND[body] + APPARENT_MARGIN}
        for key, value in worst.items():
            if value > bound[key]:
                print(f"{body} {key}: {value:.3f}\" over {bound[key]}\"")
                failed = True
    print("precise theory: " + ("over its bounds" if failed else "within its bounds"))
    return 1 if failed else 0


def report(probe, out, count):
    if references_missing():
        return 77
    dates = dates_between(FIRST, LAST, count, 2026)
    errors = measure(probe, dates)
    lines = [
        "## The precise theory",
        "",
        "The library's precise theory (`astro/precise`: VSOP87B for the planets and the",
        "Earth, ELP/MPP02 fitted to DE405 for the Moon, both truncated; ERFA's IAU 2006",
        "precession, IAU 2000B nutation, aberration and light deflection) set",
        f"against Debian's `swetest` with `swe-basic-data` on {count} random TT dates of",
        "1800–2200, in arcseconds: the geometric geocentric place on ICRS axes, the",
        "geometric place of the mean equator and equinox of date, and the apparent place",
        "of date (light-time, deflection, aberration, nutation). Distances in km.",
        "",
        "| body | bound | geometric max | rms | of date max | apparent max | distance max (km) |",
        "|---|---|---|---|---|---|---|",
    ]
    for j, body in enumerate(BODIES):
        icrs = errors["icrs"][:, j]
        lines.append(
            f"| {body.capitalize()} | {BOUND[body]:g}″ | {icrs.max():.3f} | "
            f"{math.sqrt(np.mean(icrs ** 2)):.3f} | {errors['of_date'][:, j].max():.3f} | "
            f"{errors['apparent'][:, j].max():.3f} | {np.abs(errors['icrs_km'][:, j]).max():.1f} |")
    de405_path = pathlib.Path("/usr/share/casacore/data/ephemerides/DE405/table.f0i")
    if de405_path.exists():
        dates = dates_between(DE405_FIRST, DE405_LAST, count, 405)
        angle, km = measure_de405(probe, dates)
        lines += [
            "",
            f"The same geometric ICRS vectors against JPL's DE405 itself (Debian's",
            f"`casacore-data-jpl-de405`) on {count} random dates of 1960–2060:",
            "",
            "| body | max (″) | rms (″) | distance max (km) |",
            "|---|---|---|---|",
        ]
        for j, body in enumerate(BODIES):
            lines.append(f"| {body.capitalize()} | {angle[:, j].max():.3f} | "
                         f"{math.sqrt(np.mean(angle[:, j] ** 2)):.3f} | "
                         f"{np.abs(km[:, j]).max():.1f} |")
    if de405_path.exists():
        events = measure_events(probe)
        lines += [
            "",
            "Event times (TT) against the same events found on DE405 (light-time, aberration",
            "and IAU 2006/2000A precession–nutation applied to DE405's vectors), 1961–2058:",
            "the apparent Sun's longitude of date at a multiple of 90°, the Moon's less the",
            "Sun's at 0° and 180°, the extremes of the Earth's distance from the Sun (its",
            "centre's, not the Earth–Moon barycentre's) with `earthHeliocentric` (VSOP87B)",
            "and with `earthHeliocentricEpv00` (ERFA), in seconds:",
            "",
            "| events | count | max | rms |",
            "|---|---|---|---|",
        ]
        for kind, errors in events.items():
            lines.append(f"| {kind} | {len(errors)} | {np.abs(errors).max():.2f} | "
                         f"{math.sqrt(np.mean(errors ** 2)):.2f} |")
    lines += [
        "",
        "Mars, Uranus and Neptune keep the errors of VSOP87 itself, fitted to DE200:",
        "Mars passes 1″ only at the close oppositions of the 2190s, where the complete",
        "VSOP87B series reach 1.2″ too (measured on 600 dates with every term kept); the",
        "truncation adds at most 0.27″ to any planet (Uranus). The unit tests hold 54",
        "DE405 vectors, 45 swetest places of date and 36 topocentric ones to the bounds",
        "above; `tools/accuracy/precise.py` writes this section.",
    ]
    accuracy.write_section(out / "accuracy.md", "precise", "\n".join(lines) + "\n")
    print("\n".join(lines))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--probe", type=pathlib.Path,
                        default=REPO / "build" / "dev" / "tools" / "accuracy" / "precise_probe")
    parser.add_argument("--check", action="store_true", help="check 40 dates against the bounds")
    parser.add_argument("--out", default=REPO / "docs", type=pathlib.Path)
    parser.add_argument("--dates", type=int, default=1000)
    args = parser.parse_args()
    if args.check:
        return check(args.probe)
    return report(args.probe, args.out, args.dates)


if __name__ == "__main__":
    sys.exit(main())
