#!/usr/bin/python3
"""Positions from JPL's DE405, as Debian's casacore-data-jpl-de405 ships it.

The file table.f0i holds, from byte 28, one record every 8160 bytes: 32 days
each from MJD 36912 (1960-01-01), with the Chebyshev coefficients of JPL's
layout from its third double on (the record's two dates are left out) and
padding after them. Positions are barycentric, ICRF axes, in km; the Moon's
is geocentric. DE405 is public domain.

  de405.py JD...          geocentric geometric ICRF vectors of the Sun, the
                          Moon and the planets at each TDB Julian date (AU)
  de405.py --helio JD...  the heliocentric ICRF vectors of the Earth and
                          the planets instead

Used as a module: De405().geocentric(body, jd) and .barycentric(body, jd);
with ERFA (python3-erfa), .apparent(body, tt): the apparent place as the
library defines it, for the accuracy tools and the tests' references.
"""

import argparse
import struct
import sys

import numpy as np

PATH = "/usr/share/casacore/data/ephemerides/DE405/table.f0i"
HEADER = 28
RECORD_BYTES = 8160
RECORD_DOUBLES = 1018
FIRST_MJD = 36912.0
RECORD_DAYS = 32.0
MJD_ZERO = 2400000.5
AU_KM = 149597870.691
EMRAT = 81.30056
LIGHT_DAYS_PER_AU = 499.004783836 / 86400.0

# (first coefficient, 1-based as JPL counts with the two dates, coefficients
# per component, sub-intervals per record) for each body of DE405.
LAYOUT = {
    "mercury": (3, 14, 4),
    "venus": (171, 10, 2),
    "emb": (231, 13, 2),
    "mars": (309, 11, 1),
    "jupiter": (342, 8, 1),
    "saturn": (366, 7, 1),
    "uranus": (387, 6, 1),
    "neptune": (405, 6, 1),
    "pluto": (423, 6, 1),
    "moon": (441, 13, 8),
    "sun": (753, 11, 2),
}

BODIES = ["sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune"]


class De405:
    def __init__(self, path=PATH):
        with open(path, "rb") as f:
            self.data = f.read()
        self.records = (len(self.data) - HEADER) // RECORD_BYTES

    def _record(self, jd):
        mjd = jd - MJD_ZERO
        index = int((mjd - FIRST_MJD) // RECORD_DAYS)
        if index < 0 or index >= self.records:
            raise ValueError(f"JD {jd} outside DE405 as shipped here")
        start = HEADER + index * RECORD_BYTES
        coefficients = struct.unpack_from(f"<{RECORD_DOUBLES}d", self.data, start)
        return coefficients, mjd - (FIRST_MJD + index * RECORD_DAYS)

    def _raw(self, body, jd):
        """Position (km) and velocity (km/day) of one of JPL's series."""
        coefficients, days = self._record(jd)
        first, count, subs = LAYOUT[body]
        span = RECORD_DAYS / subs
        sub = min(int(days // span), subs - 1)
        t = 2.0 * (days - sub * span) / span - 1.0
        # Chebyshev polynomials and their derivatives at t.
        T = np.zeros(count)
        dT = np.zeros(count)
        T[0], T[1] = 1.0, t
        dT[1] = 1.0
        for k in range(2, count):
            T[k] = 2.0 * t * T[k - 1] - T[k - 2]
            dT[k] = 2.0 * T[k - 1] + 2.0 * t * dT[k - 1] - dT[k - 2]
        base = first - 3 + sub * 3 * count
        c = np.array(coefficients[base : base + 3 * count]).reshape(3, count)
        return c @ T, (c @ dT) * 2.0 / span

    def barycentric(self, body, jd):
        """Barycentric position (AU) and velocity (AU/day) of a body or the Earth."""
        if body == "earth":
            emb_p, emb_v = self._raw("emb", jd)
            moon_p, moon_v = self._raw("moon", jd)
            p = emb_p - moon_p / (1.0 + EMRAT)
            v = emb_v - moon_v / (1.0 + EMRAT)
        elif body == "moon":
            earth_p, earth_v = self.barycentric("earth", jd)
            moon_p, moon_v = self._raw("moon", jd)
            return earth_p + moon_p / AU_KM, earth_v + moon_v / AU_KM
        else:
            p, v = self._raw(body, jd)
        return p / AU_KM, v / AU_KM

    def geocentric(self, body, jd):
        """Geometric geocentric position (AU) and velocity (AU/day), ICRF axes."""
        if body == "moon":
            p, v = self._raw("moon", jd)
            return p / AU_KM, v / AU_KM
        bp, bv = self.barycentric(body, jd)
        ep, ev = self.barycentric("earth", jd)
        return bp - ep, bv - ev

    def apparent(self, body, tt, observer=None):
        """Geocentric apparent direction (unit vector on the true equator and
        equinox of date) and the distance the light travelled (AU), at TT tt;
        topocentric with `observer`, the place's position (AU) and velocity
        (AU/day) from the Earth's centre on ICRS axes:

          light-time  the body at tt - tau (barycentric, iterated), the Earth
                      at tt
          deflection  by the Sun (ERFA's ld), for the planets
          aberration  the Earth's barycentric velocity (ab)
          frame       IAU 2006/2000A precession-nutation (pnm06a)
        """
        import erfa  # the positions above need numpy alone

        earth_p, earth_v = self.barycentric("earth", tt)
        if observer is not None:
            earth_p, earth_v = earth_p + observer[0], earth_v + observer[1]
        sun_p, _ = self.barycentric("sun", tt)
        tau = 0.0
        for _ in range(4):
            p, _ = self.barycentric(body, tt - tau)
            u = p - earth_p
            tau = np.linalg.norm(u) * LIGHT_DAYS_PER_AU
        distance = np.linalg.norm(u)
        direction = u / distance
        e = earth_p - sun_p
        em = np.linalg.norm(e)
        if body not in ("sun", "moon"):
            q = p - self.barycentric("sun", tt - tau)[0]
            direction = erfa.ld(1.0, direction, q / np.linalg.norm(q), e / em, em, 1e-9)
        v = earth_v * LIGHT_DAYS_PER_AU
        direction = erfa.ab(direction, v, em, np.sqrt(1.0 - v @ v))
        return erfa.pnm06a(2451545.0, tt - 2451545.0) @ direction, distance

    def heliocentric(self, body, jd):
        """Heliocentric position (AU) and velocity (AU/day), ICRF axes."""
        bp, bv = self.barycentric(body, jd)
        sp, sv = self.barycentric("sun", jd)
        return bp - sp, bv - sv


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--helio", action="store_true", help="heliocentric vectors")
    parser.add_argument("jd", type=float, nargs="+", help="TDB Julian dates")
    args = parser.parse_args()
    eph = De405()
    for jd in args.jd:
        if args.helio:
            names = ["earth"] + BODIES[2:]
            vectors = [eph.heliocentric(b, jd)[0] for b in names]
        else:
            names = BODIES
            vectors = [eph.geocentric(b, jd)[0] for b in names]
        for name, p in zip(names, vectors):
            print(f"{jd:.6f} {name:8s} {p[0]:+.13f} {p[1]:+.13f} {p[2]:+.13f}")


if __name__ == "__main__":
    sys.exit(main())
