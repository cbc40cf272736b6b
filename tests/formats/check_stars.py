#!/usr/bin/python3
"""The stars of the two pictures of the sky, read back by an XML parser and
held against ERFA.

  - Above Paris on 16 January 2025 at 22:00 (UTC+01:00), `--lieu Paris
    --format svg`: Sirius, Bételgeuse, Rigel, Aldébaran (and the other
    named stars above the horizon) are drawn, named, where ERFA's observed
    altitude and azimuth put them (eraAtco13 from their Hipparcos places
    and proper motions, typed here from the catalogue, with the standard
    atmosphere), within TOLERANCE degrees; their circles sit where the
    projection of the horizon circle puts that altitude and azimuth; the
    figures of Orion are drawn, and the legend gives each body's
    constellation as the CSV's, in French.
  - The band of the same instant, `--format svg`: the same stars at ERFA's
    apparent place of date (eraAtci13), within BAND_TOLERANCE, for the
    picture leaves out aberration and nutation; the legend gives Mars'
    constellation.
  - The CSV's constellation column against Astronomy Engine 2.1.19's
    Constellation for the same instant's bodies (Equator of date with
    aberration, then Constellation): Mars in Gemini near its opposition,
    the Sun still in Sagittarius.

Usage: check_stars.py PROGRAM
"""

import csv
import io
import math
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

try:
    import erfa
except ImportError:
    erfa = None

SVG = "{http://www.w3.org/2000/svg}"
# The picture's altitude and azimuth are those of the mean place of date
# with the mean sidereal time and no aberration or nutation: up to 40" off
# the observed place, and the standard refraction differs from ERFA's by a
# few arcseconds this high. Half a pixel is 0.15 degree.
TOLERANCE = 0.02  # degrees
BAND_TOLERANCE = 0.02  # degrees
PIXEL = 0.02  # coordinates are written to two decimals

# Hipparcos (new reduction, van Leeuwen 2007), as SIMBAD gives them: right
# ascension and declination in degrees (ICRS, epoch J2000), proper motions
# in mas/yr (mu_alpha* and mu_delta), parallax in mas, radial velocity km/s.
STARS = {
    "Sirius": (101.28715533, -16.71611586, -546.01, -1223.07, 379.21, -5.5),
    "Bételgeuse": (88.79293899, 7.40706400, 27.54, 11.30, 6.55, 21.9),
    "Rigel": (78.63446707, -8.20163837, 1.31, 0.50, 3.78, 17.8),
    "Aldébaran": (68.98016279, 16.50930235, 63.45, -188.94, 48.94, 54.3),
    "Procyon": (114.82549791, 5.22498756, -714.59, -1036.80, 284.56, -3.2),
    "Capella": (79.17232794, 45.99799147, 75.25, -426.89, 76.20, 30.2),
}
ENVIRONMENT = {key: value for key, value in os.environ.items() if key != "EPHEMERIDES_LIEU"}
DATE = "2025-01-16T22:00"
UTC = (2025, 1, 16, 21.0)  # 22:00 at Paris in winter


def run(program, *arguments):
    done = subprocess.run([program, *arguments], capture_output=True, timeout=60,
                          env=ENVIRONMENT)
    if done.returncode != 0:
        sys.exit(f"{arguments}: exit status {done.returncode}: {done.stderr.decode()}")
    return done.stdout


def fail(what):
    sys.exit(f"FAIL: {what}")


def utc_jd():
    year, month, day, hours = UTC
    d1, d2 = erfa.dtf2d("UTC", year, month, day, int(hours), 0, 0.0)
    return d1, d2


def observed(name, latitude, longitude, height):
    """ERFA's observed altitude and azimuth, degrees."""
    ra, dec, pmra, pmdec, parallax, rv = STARS[name]
    d1, d2 = utc_jd()
    # eraAtco13 takes the proper motion in right ascension as dRA/dt, radians
    # a year, and the parallax in arcseconds.
    pr = math.radians(pmra / 3.6e6) / math.cos(math.radians(dec))
    pd = math.radians(pmdec / 3.6e6)
    azimuth, zenith, *_ = erfa.atco13(math.radians(ra), math.radians(dec), pr, pd,
                                      parallax / 1000, rv, d1, d2, 0.0,
                                      math.radians(longitude), math.radians(latitude), height,
                                      0.0, 0.0, 1013.25, 10.0, 0.5, 0.55)
    return 90 - math.degrees(zenith), math.degrees(azimuth) % 360


def apparent(name):
    """ERFA's apparent place of date (CIRS turned to the equinox), hours and
    degrees."""
    ra, dec, pmra, pmdec, parallax, rv = STARS[name]
    d1, d2 = utc_jd()
    tai1, tai2 = erfa.utctai(d1, d2)
    tt1, tt2 = erfa.taitt(tai1, tai2)
    pr = math.radians(pmra / 3.6e6) / math.cos(math.radians(dec))
    pd = math.radians(pmdec / 3.6e6)
    ri, di, eo = erfa.atci13(math.radians(ra), math.radians(dec), pr, pd, parallax / 1000, rv,
                             tt1, tt2)
    return (math.degrees(erfa.anp(ri - eo)) / 15, math.degrees(di))


def angle(a1, d1, a2, d2):
    """Degrees between two directions given in degrees."""
    a1, d1, a2, d2 = map(math.radians, (a1, d1, a2, d2))
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a1 - a2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def check_place(program):
    root = ET.fromstring(run(program, "--lieu", "Paris", "--format", "svg", DATE))
    rows = list(csv.DictReader(io.StringIO(
        run(program, "--lieu", "Paris", "--format", "csv", DATE).decode())))
    latitude, longitude = float(rows[0]["latitude_deg"]), float(rows[0]["longitude_deg"])
    height = float(rows[0]["height_m"])
    horizon = root.find(f".//{SVG}circle[@id='horizon']")
    cx, cy, r = (float(horizon.get(k)) for k in ("cx", "cy", "r"))
    stars = {c.get("data-name"): c for c in root.iter(SVG + "circle")
             if c.get("class") == "star"}
    names = {t.text for t in root.find(f".//{SVG}g[@id='star-names']").iter(SVG + "text")}
    worst = 0.0
    for name in STARS:
        if name not in stars:
            fail(f"Paris {DATE}: {name} not drawn (drawn: {sorted(stars)})")
        star = stars[name]
        altitude, azimuth = float(star.get("data-alt-deg")), float(star.get("data-az-deg"))
        e_altitude, e_azimuth = observed(name, latitude, longitude, height)
        off = angle(azimuth, altitude, e_azimuth, e_altitude)
        worst = max(worst, off)
        if off > TOLERANCE:
            fail(f"Paris {DATE}: {name} at altitude {altitude:.4f}, azimuth {azimuth:.4f}; "
                 f"ERFA {e_altitude:.4f}, {e_azimuth:.4f}: {off * 3600:.0f}\" apart")
        rho = r * (90 - altitude) / 90
        x = cx - rho * math.sin(math.radians(azimuth))
        y = cy - rho * math.cos(math.radians(azimuth))
        if abs(float(star.get("cx")) - x) > PIXEL or abs(float(star.get("cy")) - y) > PIXEL:
            fail(f"Paris {DATE}: {name} drawn at ({star.get('cx')}, {star.get('cy')}), "
                 f"its place is ({x:.2f}, {y:.2f})")
        if name not in names:
            fail(f"Paris {DATE}: {name} not named ({sorted(names)})")
    # Brighter is larger: Sirius over Aldébaran over the faintest drawn.
    radii = sorted(float(c.get("r")) for c in root.find(f".//{SVG}g[@id='stars']"))
    if not float(stars["Sirius"].get("r")) > float(stars["Aldébaran"].get("r")) > radii[0]:
        fail("the stars' sizes do not follow their brightness")
    if len(radii) < 300:
        fail(f"only {len(radii)} stars above Paris")
    # Orion's belt is drawn: a figure line near Alnilam's place.
    figures = list(root.find(f".//{SVG}g[@id='figures']").iter(SVG + "line"))
    if len(figures) < 100:
        fail(f"{len(figures)} figure lines")
    # The legend gives each body's constellation: Mars in the Gemini.
    legend = [t.text for t in root.find(f".//{SVG}g[@id='legend-mars']").iter(SVG + "text")]
    if legend[-1] != "Gémeaux":
        fail(f"Mars' row of the legend {legend}")
    return worst


def check_band(program):
    root = ET.fromstring(run(program, "--format", "svg", "16.875/1/2025"))
    stars = {c.get("data-name"): c for c in root.iter(SVG + "circle")
             if c.get("class") == "star"}
    worst = 0.0
    for name in ("Sirius", "Bételgeuse", "Rigel", "Aldébaran", "Procyon"):
        if name not in stars:
            fail(f"band: {name} not drawn ({sorted(stars)})")
        ra, dec = float(stars[name].get("data-ra-h")), float(stars[name].get("data-dec-deg"))
        e_ra, e_dec = apparent(name)
        off = angle(15 * ra, dec, 15 * e_ra, e_dec)
        worst = max(worst, off)
        if off > BAND_TOLERANCE:
            fail(f"band: {name} at {ra:.5f} h {dec:.4f}; ERFA {e_ra:.5f} h {e_dec:.4f}")
    legend = " ".join(t.text for t in root.find(f".//{SVG}g[@id='legend']").iter(SVG + "text"))
    if "Mars (Gémeaux) : " not in legend:
        fail(f"band: legend {legend!r}")
    return worst


def check_csv(program):
    rows = {row["body"]: row["constellation"] for row in csv.DictReader(io.StringIO(
        run(program, "--format", "csv", "16.875/1/2025").decode()))}
    expected = {"sun": "Sgr", "moon": "Leo", "mercury": "Sgr", "venus": "Aqr", "mars": "Gem",
                "jupiter": "Tau", "saturn": "Aqr", "uranus": "Ari", "neptune": "Psc"}
    for body, abbreviation in expected.items():
        if rows[body] != abbreviation:
            fail(f"CSV: {body} in {rows[body]!r}, expected {abbreviation}")


def main():
    program = sys.argv[1]
    if erfa is None:
        print("python3-erfa is missing")
        return 77
    place = check_place(program)
    band = check_band(program)
    check_csv(program)
    print(f"stars above Paris within {place * 3600:.1f}\" of ERFA's observed places, "
          f"on the band within {band * 3600:.1f}\" of the apparent places")
    return 0


if __name__ == "__main__":
    sys.exit(main())
