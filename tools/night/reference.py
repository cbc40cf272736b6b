#!/usr/bin/python3
"""Reference values for tests/night_test.cpp, computed from ERFA alone.

  phases   the instants (TT) at which the Moon's geocentric ecliptic
           longitude less the Sun's is 0, 90, 180 and 270 degrees, from
           moon98 and epv00 (the Sun geometric, less 20.5" of aberration),
           mean ecliptic of date (pmat06, obl06), in the first quarter of
           2025; found by bisection to 0.1 s
  night    Paris (48.85 N, 2.35 E, 0 m) on the night of 16 to 17 January
           2025: the Sun's centre through -6 degrees (geocentric,
           geometric), the Moon's rise (geocentric altitude 0.7275 p - 34'),
           Venus, Jupiter and Saturn dropping through an apparent
           (Saemundsson-refracted, topocentric) altitude of 5 degrees, the
           culminations of Mars and Jupiter, and the least altitude of Mars
           between dusk and dawn; positions from tools/accuracy/observer.py
           (epv00, moon98, plan94, pmat06, gmst06), Delta T 74.4 s (the
           Espenak-Meeus value the program uses in 2025)

Usage: /usr/bin/python3 tools/night/reference.py
"""

import math
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "accuracy"))

import erfa  # noqa: E402
import numpy as np  # noqa: E402

import observer  # noqa: E402

DELTA_T = 74.4
LAT, LON, HEIGHT = math.radians(48.85), math.radians(2.35), 0.0
ABERRATION = math.radians(20.5 / 3600)


def longitudes(tt):
    d1 = 2451545.0
    pmat = erfa.pmat06(d1, tt - d1)
    eps = erfa.obl06(d1, tt - d1)
    earth = erfa.epv00(d1, tt - d1)[0]["p"]
    moon = erfa.moon98(d1, tt - d1)["p"]

    def ecliptic(v):
        x, y, z = erfa.rxp(pmat, v)
        return math.atan2(y * math.cos(eps) + z * math.sin(eps), x)

    return ecliptic(moon), ecliptic(-earth) - ABERRATION


def elongation(tt):
    moon, sun = longitudes(tt)
    return (moon - sun) % (2 * math.pi)


def phases(start, end):
    found = []
    t = start
    step = 0.25
    while t < end:
        a, b = elongation(t), elongation(t + step)
        for k in range(4):
            target = k * math.pi / 2
            fa = (a - target + math.pi) % (2 * math.pi) - math.pi
            fb = (b - target + math.pi) % (2 * math.pi) - math.pi
            if fa < 0 <= fb and fb - fa < 1:
                lo, hi = t, t + step
                while hi - lo > 1e-6:
                    mid = (lo + hi) / 2
                    fm = (elongation(mid) - target + math.pi) % (2 * math.pi) - math.pi
                    lo, hi = (mid, hi) if fm < 0 else (lo, mid)
                found.append((("new", "first", "full", "last")[k], (lo + hi) / 2))
        t += step
    return found


class Paris:
    def __init__(self, start):
        self.earth = observer.Earth(np.array([start]), np.array([DELTA_T]))

    def vector(self, number, fraction):
        f = np.atleast_1d(np.asarray(fraction, dtype=float))
        return observer.geocentric(number, self.earth, np.zeros(f.size, dtype=int), f)

    def frame(self, fraction):
        f = np.atleast_1d(np.asarray(fraction, dtype=float))
        theta = observer.sidereal(self.earth, np.zeros(f.size, dtype=int), f) + LON
        return theta, observer.local_frame(theta, np.full(f.size, LAT))

    def geocentric_altitude(self, number, fraction):
        v = self.vector(number, fraction)
        _, (up, _, _) = self.frame(fraction)
        return np.arcsin(np.sum(up * v, axis=-1) / np.linalg.norm(v, axis=-1))

    def apparent_altitude(self, number, fraction):
        v = self.vector(number, fraction)
        theta, (up, _, _) = self.frame(fraction)
        u = erfa.gd2gc(1, LON, LAT, HEIGHT)
        # The observer turned with the Earth, kilometres, mean equator of date.
        x = np.hypot(u[0], u[1]) / 1000.0
        place = np.stack([x * np.cos(theta), x * np.sin(theta), np.full_like(theta, u[2] / 1000.0)],
                         axis=-1)
        t = v - place
        h = np.arcsin(np.sum(up * t, axis=-1) / np.linalg.norm(t, axis=-1))
        return h + observer.refraction(h)


def crossing(f, lo, hi):
    flo = f(lo)
    while hi - lo > 0.1 / 86400:
        mid = (lo + hi) / 2
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2


def scan(f, a, b, n=2000):
    t = np.linspace(a, b, n)
    v = np.array([f(x) for x in t])
    return t, v


def clock(start, fraction):
    jd = start + fraction + 1 / 24  # Paris: UTC+01:00
    s = round((jd + 0.5 - math.floor(jd + 0.5)) * 86400)
    return f"{s // 3600:02d}:{s // 60 % 60:02d}:{s % 60:02d}"


def main():
    for name, tt in phases(2460675.5, 2460766.5):
        print(f"phase {name:6s} TT {tt:.5f}")
    start = 2460692.0 - 2.35 / 360.0          # 2025-01-16 12:00 UT less the longitude
    p = Paris(start)
    minus6 = math.radians(-6)
    sun = lambda f: p.geocentric_altitude("sun", f)[0] - minus6  # noqa: E731
    dusk = crossing(sun, 0.2, 0.4)
    dawn = crossing(sun, 0.7, 0.9)
    print("civil dusk", clock(start, dusk), f"{start + dusk:.6f}")
    print("civil dawn", clock(start, dawn), f"{start + dawn:.6f}")

    def moon(f):
        v = p.vector("moon", f)
        r = np.linalg.norm(v, axis=-1)
        return (p.geocentric_altitude("moon", f)
                - (0.7275 * np.arcsin(observer.EARTH_RADIUS_KM / r) - math.radians(34 / 60)))[0]

    t, v = scan(moon, dusk, dawn)
    i = int(np.nonzero(v > 0)[0][0])
    rise = crossing(moon, t[i - 1], t[i])
    print("moon rise", clock(start, rise), f"{start + rise:.6f}")
    five = math.radians(5)
    for name, number in (("venus", 2), ("jupiter", 5), ("saturn", 6)):
        f = lambda x, n=number: p.apparent_altitude(n, x)[0] - five  # noqa: E731
        t, v = scan(f, dusk, dawn)
        i = int(np.nonzero(v <= 0)[0][0])
        end = crossing(f, t[i - 1], t[i])
        print(name, "below 5 degrees", clock(start, end), f"{start + end:.6f}")
    for name, number in (("mars", 4), ("jupiter", 5)):
        t, v = scan(lambda x, n=number: p.apparent_altitude(n, x)[0], dusk, dawn, 4000)
        i = int(np.argmax(v))
        print(name, "highest", clock(start, t[i]), f"{start + t[i]:.6f}",
              f"{math.degrees(v[i]):.3f}")
    t, v = scan(lambda x: p.apparent_altitude(4, x)[0], dusk, dawn)
    print("mars lowest in the dark", f"{math.degrees(v.min()):.3f}")


if __name__ == "__main__":
    main()
