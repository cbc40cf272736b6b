#!/usr/bin/python3
"""Prints the reference rows of tests/precise_test.cpp.

  --de405    geometric geocentric ICRF positions (AU) and velocities
             (AU/day) from JPL's DE405 (de405.py), at TDB dates taken as TT
  --swetest  apparent places (right ascension and declination of the true
             equator and equinox of date, degrees; light-time distance, AU;
             longitude and latitude on the true ecliptic of date, degrees)
             and geometric places of the mean equator, equinox and ecliptic
             of date from Debian's swetest with swe-basic-data, at TT dates
  --topo     topocentric apparent places from swetest (-topo) for a few
             sites, with the Delta T swetest takes for the sidereal time

Each row is a C++ initializer, as the test's tables hold them.
"""

import argparse
import subprocess
import sys

import de405

DE405_DATES = [2438000.5, 2442778.25, 2447892.5, 2451545.0, 2460680.5, 2471000.75]
SWETEST_DATES = [2380322.5, 2396758.0, 2422324.5, 2488069.5, 2520942.25]
EPHE = "/usr/share/libswe/ephe"
PLANET_DIGITS = "0123456789"
BODIES = de405.BODIES


def de405_rows():
    eph = de405.De405()
    for jd in DE405_DATES:
        for body in BODIES:
            p, v = eph.geocentric(body, jd)
            values = ", ".join(f"{x:.13e}" for x in list(p) + list(v))
            print(f"    {{{jd:.2f}, Body::{body.capitalize()}, {{{values}}}}},")


def swetest(jd, *flags, columns="adR"):
    out = subprocess.run(
        ["swetest", f"-j{jd}", f"-p{PLANET_DIGITS[:len(BODIES)]}", f"-f{columns}", "-head",
         f"-edir{EPHE}", *flags],
        check=True, capture_output=True, text=True).stdout.split("\n")
    return [line.split() for line in out if line.strip()]


def swetest_rows():
    for jd in SWETEST_DATES:
        apparent = swetest(jd, columns="adRlb")
        geometric = swetest(jd, "-true", "-nonut", columns="adRlb")
        for body, a, g in zip(BODIES, apparent, geometric):
            print(f"    {{{jd:.2f}, Body::{body.capitalize()}, {{{', '.join(a)}}}, "
                  f"{{{', '.join(g)}}}}},")


# TT dates and sites: east longitude, latitude (degrees), height (m).
TOPO = [
    (2451545.0, 2.35, 48.85, 35.0),
    (2433282.75, -78.5, -0.2, 2800.0),
    (2506332.3, 151.2, -33.9, 50.0),
    (2460856.6, 18.9, 69.6, 10.0),
]


def topo_rows():
    for jd, lon, lat, height in TOPO:
        out = subprocess.run(["swetest", f"-j{jd}", "-pq", "-head", f"-edir{EPHE}"],
                             check=True, capture_output=True, text=True).stdout.split()
        delta_t = float(out[2].rstrip("s"))
        places = swetest(jd, f"-topo{lon},{lat},{height}")
        for body, a in zip(BODIES, places):
            print(f"    {{{jd:.2f}, {delta_t:.4f}, {{{lon}, {lat}, {height}}}, "
                  f"Body::{body.capitalize()}, {a[0]}, {a[1]}, {a[2]}}},")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--de405", action="store_true")
    parser.add_argument("--swetest", action="store_true")
    parser.add_argument("--topo", action="store_true")
    args = parser.parse_args()
    if args.de405:
        de405_rows()
    if args.swetest:
        swetest_rows()
    if args.topo:
        topo_rows()
    return 0


if __name__ == "__main__":
    sys.exit(main())
