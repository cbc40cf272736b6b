#!/usr/bin/python3
"""The sky picture read back by a real SVG renderer and a real XML parser.

For a few dates, `--format svg DATE`:
  - renders to PNG with rsvg-convert (Debian's librsvg2-bin);
  - parses as XML, with no script and no reference to any other file, and
    is the same bytes on a second run;
  - holds the nine bodies, each with the right ascension and declination
    that --format csv gives for the date, drawn where the picture's own
    grid puts them: the x of the 0h and 24h labels and the y of the
    equator and of the +10 degree line fix the scales;
  - so that a body just below 24h lies at the left edge and one just above
    0h at the right edge;
  - with the Moon's lit side turned toward the Sun;
  - and says in its legend, for each planet and the Moon, the elongation
    from the Sun (the angle between the two directions, cut to a whole
    degree), east or west, and when to look.

Usage: check_svg.py PROGRAM
"""

import csv
import io
import math
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
# 1.5/1/2000; 12h on 19 March 2000, when the Sun stands at 23.9h; 12h on 21
# March, at 0.04h; and a date whose Moon is nearly full.
DATES = ["1.5/1/2000", "2000-03-19T12:00", "2000-03-21T12:00", "2024-04-23T23:49"]
PIXEL = 0.02  # coordinates are written to two decimals


def run(program, *arguments):
    done = subprocess.run([program, *arguments], capture_output=True, timeout=60)
    if done.returncode != 0:
        sys.exit(f"{arguments}: exit status {done.returncode}: {done.stderr.decode()}")
    return done.stdout


def fail(what):
    sys.exit(f"check_svg: {what}")


def grid_scales(root):
    """x of 0h and 24h, y of the equator and of +10 degrees, from the picture."""
    labels = {t.text: t for t in root.iter(SVG + "text") if t.text}
    x0 = float(labels["0h"].get("x"))
    x24 = float(labels["24h"].get("x"))
    equator = root.find(f".//{SVG}line[@id='equator']")
    y0 = float(equator.get("y1"))
    y10 = float(labels["+10\u00b0"].get("y")) - 4  # label baselines sit 4 px below the line
    return x0, x24, y0, y10


def centre(group):
    circle = group.find(SVG + "circle")
    return float(circle.get("cx")), float(circle.get("cy"))


def separation(ra1, dec1, ra2, dec2):
    """Degrees between two directions given in hours and degrees."""
    pi = 3.1415926535898  # the program's own pi turns its radians into hours and degrees
    a1, d1, a2, d2 = ra1 * pi / 12, dec1 * pi / 180, ra2 * pi / 12, dec2 * pi / 180
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a2 - a1)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def check_date(program, date, workdir):
    svg = run(program, "--format", "svg", date)
    if run(program, "--format", "svg", date) != svg:
        fail(f"{date}: a second run writes other bytes")
    png = f"{workdir}/sky.png"
    rendered = subprocess.run(["rsvg-convert", "-o", png], input=svg, capture_output=True)
    if rendered.returncode != 0:
        fail(f"{date}: rsvg-convert: {rendered.stderr.decode()}")
    with open(png, "rb") as f:
        if f.read(8) != b"\x89PNG\r\n\x1a\n":
            fail(f"{date}: rsvg-convert wrote no PNG")

    root = ET.fromstring(svg)
    if root.tag != SVG + "svg" or root.get("version") != "1.1":
        fail(f"{date}: not an SVG 1.1 document")
    for element in root.iter():
        if element.tag == SVG + "script" or any("href" in key for key in element.attrib):
            fail(f"{date}: a script or a reference to another file")

    rows = {row["body"]: row for row in
            csv.DictReader(io.StringIO(run(program, "--format", "csv", date).decode()))}
    x0, x24, y0, y10 = grid_scales(root)
    groups = {g.get("id"): g for g in root.iter(SVG + "g") if g.get("class") == "body"}
    if sorted(groups) != sorted(rows):
        fail(f"{date}: bodies {sorted(groups)}")
    positions = {}
    for body, group in groups.items():
        ra, dec = float(group.get("data-ra-h")), float(group.get("data-dec-deg"))
        if ra != float(rows[body]["ra_h"]) or dec != float(rows[body]["dec_deg"]):
            fail(f"{date} {body}: {ra} h, {dec} deg in the picture, other values in CSV")
        x, y = centre(group)
        expected_x = x0 + (x24 - x0) * ra / 24
        expected_y = y0 + (y10 - y0) * dec / 10
        if abs(x - expected_x) > 2 * PIXEL or abs(y - expected_y) > 2 * PIXEL:
            fail(f"{date} {body}: drawn at ({x}, {y}), its position is "
                 f"({expected_x:.2f}, {expected_y:.2f})")
        positions[body] = (ra, dec, x)

    # The Moon's lit side faces the Sun: its path is turned toward it.
    moon_ra, moon_dec, moon_x = positions["moon"]
    if separation(positions["sun"][0], positions["sun"][1], moon_ra, moon_dec) < 120:
        lit = groups["moon"].find(SVG + "path")
        turn = float(lit.get("transform").split("rotate(")[1].rstrip(")"))
        sun_x, sun_y = centre(groups["sun"])
        moon_y = centre(groups["moon"])[1]
        towards = (math.cos(math.radians(turn)) * (sun_x - moon_x) +
                   math.sin(math.radians(turn)) * (sun_y - moon_y))
        if towards <= 0:
            fail(f"{date}: the Moon's lit side turns away from the Sun")

    legend = [t.text for t in root.find(f".//{SVG}g[@id='legend']").iter(SVG + "text")]
    sun_ra, sun_dec, _ = positions["sun"]
    for body, name in (("moon", "Lune"), ("mercury", "Mercure"), ("venus", "Vénus"),
                       ("mars", "Mars"), ("jupiter", "Jupiter"), ("saturn", "Saturne"),
                       ("uranus", "Uranus"), ("neptune", "Neptune")):
        ra, dec, _ = positions[body]
        angle = separation(sun_ra, sun_dec, ra, dec)
        east = math.sin((ra - sun_ra) * math.pi / 12) > 0
        when = "invisible" if angle < 15 else ("le soir" if east else "le matin")
        side = "à l'est" if east else "à l'ouest"
        line = next(text for text in legend if text.startswith(name + " :"))
        expected = f"{math.floor(angle)}\u00b0 {side} du Soleil, {when}"
        if not line.endswith(expected) and not line.endswith(
                f"{math.floor(angle + 1e-6)}\u00b0 {side} du Soleil, {when}"):
            fail(f"{date}: legend {line!r}, expected it to end with {expected!r}")
    return positions


def main():
    program = sys.argv[1]
    if shutil.which("rsvg-convert") is None:
        print("rsvg-convert is missing: install librsvg2-bin")
        return 77
    with tempfile.TemporaryDirectory() as workdir:
        seen = {date: check_date(program, date, workdir) for date in DATES}
    left = seen["2000-03-19T12:00"]["sun"]
    right = seen["2000-03-21T12:00"]["sun"]
    if not (left[0] > 23.5 and right[0] < 0.5):
        fail(f"the Sun at {left[0]} h and {right[0]} h: the edge dates are wrong")
    if not (left[2] < 90 and right[2] > 1130):
        fail(f"the Sun at 23.9h is drawn at x = {left[2]} and at 0.04h at x = {right[2]}: "
             "not at the left and right edges")
    print(f"{len(DATES)} pictures render, parse, and put every body where it stands")
    return 0


if __name__ == "__main__":
    sys.exit(main())
