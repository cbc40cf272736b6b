#!/usr/bin/python3
"""The references of the --precis rows test (tests/robustness/command_line_test.cpp):
each body's right ascension and declination at a few dates of TT, from JPL's
DE405 (de405.py) and ERFA's IAU 2006 frames, as the program's CSV columns
give them:

  ra_h, dec_deg                    geometric geocentric place (no light-time)
                                   on the mean equator and equinox of date:
                                   frame bias and IAU 2006 precession (pmat06)
  apparent_ra_h, apparent_dec_deg  the apparent place (De405.apparent: light-time,
                                   deflection, aberration, IAU 2006/2000A
                                   precession-nutation): true equator and
                                   equinox of date

Usage (with /usr/bin/python3, where ERFA is installed):
  precise_rows.py    prints the C++ initializers of the test's table
"""

import math
import pathlib
import sys

import erfa
import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import de405  # noqa: E402

# The date words of the test, as the program reads them (TT), and their
# Julian Dates.
DATES = [
    ("1987-04-10", 2446895.5),
    ("2000-01-01T12:00", 2451545.0),
    ("2025-03-20T09:01", 2460754.5 + (9 * 60 + 1) / 1440),
]


def ra_dec(vector):
    x, y, z = vector
    ra = math.atan2(y, x) % (2 * math.pi)
    dec = math.atan2(z, math.hypot(x, y))
    return math.degrees(ra) / 15, math.degrees(dec)


def main():
    eph = de405.De405()
    for word, tt in DATES:
        bias_precession = erfa.pmat06(2451545.0, tt - 2451545.0)
        for body in de405.BODIES:
            geometric = bias_precession @ eph.geocentric(body, tt)[0]
            apparent, _ = eph.apparent(body, tt)
            ra, dec = ra_dec(geometric)
            app_ra, app_dec = ra_dec(np.asarray(apparent))
            print(f'    {{"{word}", "{body}", {ra:.10f}, {dec:.10f}, {app_ra:.10f}, '
                  f'{app_dec:.10f}}},')


if __name__ == "__main__":
    sys.exit(main())
