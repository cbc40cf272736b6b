#!/usr/bin/python3
"""A year's events from JPL's DE405 and ERFA's frames: the references of the
Precise theory's event tests.

Apparent places as the library defines them (astro.h, findEvents), computed
here from DE405 (de405.py) alone for the positions:

  light-time  the body at t - tau (barycentric, iterated), the Earth at t
  deflection  by the Sun (ld), for the planets
  aberration  the Earth's barycentric velocity (ab)
  frame       IAU 2006/2000A precession-nutation (pnm06a) to the true equator
              of date, the true obliquity (obl06 + nut06a's deps) to the
              ecliptic of date

  seasons        the Sun's apparent longitude through 0, 90, 180, 270 degrees
  phases         the Moon's apparent longitude minus the Sun's
  oppositions    a planet's minus the Sun's through 180 degrees
  perihelion ..  the Earth's geometric distance from the Sun, extrema

Each is bracketed on a one-day (phases: six-hour) scan and narrowed by
bisection to 0.001 s, in TT (DE405's TDB, within 2 ms). DE405 covers
1960-2060 here.

Usage (with /usr/bin/python3, where ERFA is installed):
  de405_events.py YEAR     the events of that year, one a line: kind, body,
                           Julian Date (TT) and the calendar date
"""

import math
import sys
import pathlib

import erfa
import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import de405  # noqa: E402

EPH = de405.De405()


def apparent_longitude(body, t):
    """Apparent ecliptic longitude of date (radians, [0, 2 pi)) at TT t."""
    true_equator, _ = EPH.apparent(body, t)
    d1, d2 = 2451545.0, t - 2451545.0
    _, deps = erfa.nut06a(d1, d2)
    eps = erfa.obl06(d1, d2) + deps
    x, y, z = true_equator
    return math.atan2(math.cos(eps) * y + math.sin(eps) * z, x) % (2 * math.pi)


def earth_sun(t):
    return np.linalg.norm(EPH.barycentric("earth", t)[0] - EPH.barycentric("sun", t)[0])


def wrap(a):
    return (a + math.pi) % (2 * math.pi) - math.pi


def roots(f, start, end, step, targets):
    """(target, instant) where f (an angle) passes each target either way, scanning by step."""
    found = []
    t, before = start, f(start)
    while t < end:
        after = f(t + step)
        for target in targets:
            a, b = wrap(before - target), wrap(after - target)
            if (a < 0) != (b < 0) and abs(b - a) < math.pi:
                lo, hi = t, t + step
                while hi - lo > 1e-8:
                    mid = (lo + hi) / 2
                    if (wrap(f(mid) - target) < 0) == (a < 0):
                        lo = mid
                    else:
                        hi = mid
                found.append((target, (lo + hi) / 2))
        t, before = t + step, after
    return found


def extrema(f, start, end, step):
    """(maximum, instant) of f's extrema, scanning by step, golden sections."""
    found = []
    t = start
    a, b = f(t - step), f(t)
    while t < end:
        c = f(t + step)
        if (b > a and b >= c) or (b < a and b <= c):
            maximum = b > a
            lo, hi = t - step, t + step
            g = (math.sqrt(5) - 1) / 2
            while hi - lo > 1e-8:
                x1, x2 = hi - g * (hi - lo), lo + g * (hi - lo)
                better = f(x1) > f(x2) if maximum else f(x1) < f(x2)
                lo, hi = (lo, x2) if better else (x1, hi)
            found.append((maximum, (lo + hi) / 2))
        t, a, b = t + step, b, c
    return found


def main():
    year = int(sys.argv[1])
    start = erfa.cal2jd(year, 1, 1)
    start = start[0] + start[1]
    end = erfa.cal2jd(year + 1, 1, 1)
    end = end[0] + end[1]
    events = []
    quarter = [0.0, math.pi / 2, math.pi, 3 * math.pi / 2]
    seasons = ["march_equinox", "june_solstice", "september_equinox", "december_solstice"]
    phases = ["new_moon", "first_quarter", "full_moon", "last_quarter"]
    for target, t in roots(lambda x: apparent_longitude("sun", x), start, end, 1.0, quarter):
        events.append((t, seasons[quarter.index(target)], "sun"))
    moon_sun = lambda x: apparent_longitude("moon", x) - apparent_longitude("sun", x)  # noqa: E731
    for target, t in roots(moon_sun, start, end, 0.25, quarter):
        events.append((t, phases[quarter.index(target)], "moon"))
    for planet in ("mars", "jupiter", "saturn", "uranus", "neptune"):
        f = lambda x, p=planet: apparent_longitude(p, x) - apparent_longitude("sun", x)  # noqa: E731
        for _, t in roots(f, start, end, 1.0, [math.pi]):
            events.append((t, "opposition", planet))
    for maximum, t in extrema(earth_sun, start, end, 1.0):
        events.append((t, "aphelion" if maximum else "perihelion", "sun"))
    for t, kind, body in sorted(events):
        y, m, d, f = erfa.jd2cal(t, 0.0)
        seconds = f * 86400.0
        print(f"{kind:18s} {body:8s} {t:.8f}  {y:04d}-{m:02d}-{d:02d} "
              f"{int(seconds // 3600):02d}:{int(seconds % 3600 // 60):02d}:{seconds % 60:06.3f} TT")


if __name__ == "__main__":
    sys.exit(main())
