#!/usr/bin/python3
"""Rising, transit and setting at a place from JPL's DE405 and ERFA: the
references of the Precise theory's almanac tests.

The definitions are the library's (astro.h, dayAlmanac): the geocentric
apparent place's altitude on the geodetic vertical crossing the
conventional altitude (the Sun -50', the planets -34', the Moon 0.7275
times its horizontal parallax asin(6378.14 km / distance) minus 34'), the
upper transit where the hour angle passes 0. Here:

  places        DE405 (de405.py), light-time (the body at t - tau, the Earth
                at t), deflection by the Sun (ld) for the planets, aberration
                of the Earth's barycentric velocity (ab), IAU 2006/2000A
                precession-nutation (pnm06a): true equator and equinox of date
  the Earth     Greenwich apparent sidereal time gst06a at UT1 (the day's UT)
                with TT = UT + Delta T
  search        every ten minutes through the day, each change of sign
                narrowed by bisection to 1 ms

Usage (with /usr/bin/python3, where ERFA is installed):
  de405_rise_set.py LAT LON DELTA_T JD0 BODY...
      LAT, LON in degrees (east positive), DELTA_T in seconds, JD0 the
      day's start (UT); prints each body's rise, transit and set as
      Julian Dates (UT), "none" where the day has none.
"""

import math
import pathlib
import sys

import erfa
import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import de405  # noqa: E402

AU_KM = 149597870.7
EPH = de405.De405()
ARCMIN = math.pi / 180 / 60


def apparent(body, tt):
    """Geocentric apparent direction (unit vector, true equator of date) and distance (AU)."""
    return EPH.apparent(body, tt)


def frame(ut, delta_t, lat, lon):
    tt = ut + delta_t / 86400.0
    theta = erfa.gst06a(2451545.0, ut - 2451545.0, 2451545.0, tt - 2451545.0) + lon
    up = np.array([math.cos(lat) * math.cos(theta), math.cos(lat) * math.sin(theta), math.sin(lat)])
    east = np.array([-math.sin(theta), math.cos(theta), 0.0])
    return tt, up, east


def altitude_less_level(body, ut, delta_t, lat, lon):
    tt, up, _ = frame(ut, delta_t, lat, lon)
    d, distance = apparent(body, tt)
    h = math.asin(up @ d)
    if body == "sun":
        level = -50 * ARCMIN
    elif body == "moon":
        level = 0.7275 * math.asin(6378.14 / (distance * AU_KM)) - 34 * ARCMIN
    else:
        level = -34 * ARCMIN
    return h - level


def east(body, ut, delta_t, lat, lon):
    tt, _, e = frame(ut, delta_t, lat, lon)
    d, _ = apparent(body, tt)
    return e @ d


def crossing(f, start, rising):
    """The first crossing in the day of f upward (rising) or downward."""
    step = 10.0 / 1440.0
    t, before = start, f(start)
    while t < start + 1.0 - 1e-9:
        after = f(t + step)
        if (before <= 0 < after) if rising else (before > 0 >= after):
            lo, hi = t, t + step
            while hi - lo > 1e-8:
                mid = (lo + hi) / 2
                if (f(mid) > 0) == rising:
                    hi = mid
                else:
                    lo = mid
            return (lo + hi) / 2
        t, before = t + step, after
    return None


def main():
    lat, lon, delta_t, start = (float(x) for x in sys.argv[1:5])
    lat, lon = math.radians(lat), math.radians(lon)
    for body in sys.argv[5:]:
        h = lambda ut, b=body: altitude_less_level(b, ut, delta_t, lat, lon)  # noqa: E731
        minus_east = lambda ut, b=body: -east(b, ut, delta_t, lat, lon)  # noqa: E731
        times = [crossing(h, start, True), crossing(minus_east, start, True),
                 crossing(h, start, False)]
        print(body, " ".join("none" if t is None else f"{t:.8f}" for t in times))


if __name__ == "__main__":
    sys.exit(main())
