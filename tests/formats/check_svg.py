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
import random
import re
import xml.etree.ElementTree as ET

try:
    import erfa
except ImportError:
    erfa = None

SVG = "{http://www.w3.org/2000/svg}"
# 1.5/1/2000; 12h on 19 March 2000, when the Sun stands at 23.9h; 12h on 21
# March, at 0.04h; and a date whose Moon is nearly full.
DATES = ["1.5/1/2000", "2000-03-19T12:00", "2000-03-21T12:00", "2024-04-23T23:49",
         # Two days after Mars' opposition of 2003, and after that of 2018; the
         # Moon the day before it is full: east of the Sun along the ecliptic.
         "2003-08-30T18:00", "2018-07-28T10:00", "2024-09-18T02:00"]
# Where the side of the Sun once came out wrong.
EAST_NEAR_OPPOSITION = [("2003-08-30T18:00", "mars"), ("2018-07-28T10:00", "mars"),
                        ("2024-09-18T02:00", "moon")]
sides = {}
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


def ecliptic_longitude(ra_hours, dec_degrees, obliquity):
    """Radians, from right ascension and declination and the obliquity."""
    a, d = math.radians(ra_hours * 15), math.radians(dec_degrees)
    return math.atan2(math.sin(a) * math.cos(obliquity) + math.tan(d) * math.sin(obliquity),
                      math.cos(a))


def check_layout(root, date):
    """The ecliptic reaches both edges of the map; every label stays on the
    canvas."""
    width = float(root.get("width"))
    path = root.find(f".//{SVG}path[@id='ecliptic']").get("d")
    points = [(step[0], [float(v) for v in step[1:].split()])
              for step in re.findall(r"[ML][^ML]+", path)]
    xs = [xy[0] for _, xy in points]
    # Caught: the ecliptic stopped at longitude 359 degrees, short of 24h.
    if abs(min(xs) - 60) > PIXEL or abs(max(xs) - 1160) > PIXEL:
        fail(f"{date}: the ecliptic runs from x = {min(xs)} to {max(xs)}, not edge to edge")
    for (command, xy), (_, before) in zip(points[1:], points):
        if command == "M" and not (abs(before[0] - 60) < PIXEL and abs(xy[0] - 1160) < PIXEL):
            fail(f"{date}: the ecliptic breaks at {before} and goes on at {xy}")
    # Caught: labels of bodies near 0h ran past the canvas.
    for text in root.find(f".//{SVG}g[@id='labels']").iter(SVG + "text"):
        left = float(text.get("x"))
        right = left + 8 * len(text.text)
        if left < 0 or right > width:
            fail(f"{date}: the label {text.text!r} runs from x = {left} to {right}")


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

    # The legend: the elongation, and the side of the Sun decided along the
    # ecliptic, from ecliptic longitudes computed here from the picture's
    # own right ascension and declination and ERFA's obliquity of the date.
    # Caught: the side was once taken from right ascension, wrong near
    # opposition.
    legend = [t.text for t in root.find(f".//{SVG}g[@id='legend']").iter(SVG + "text")]
    sun_ra, sun_dec, _ = positions["sun"]
    obliquity = erfa.obl06(float(rows["sun"]["jd"]), 0.0) if erfa else math.radians(23.44)
    sun_longitude = ecliptic_longitude(sun_ra, sun_dec, obliquity)
    for body, name in (("moon", "Lune"), ("mercury", "Mercure"), ("venus", "Vénus"),
                       ("mars", "Mars"), ("jupiter", "Jupiter"), ("saturn", "Saturne"),
                       ("uranus", "Uranus"), ("neptune", "Neptune")):
        ra, dec, _ = positions[body]
        angle = separation(sun_ra, sun_dec, ra, dec)
        ahead = ecliptic_longitude(ra, dec, obliquity) - sun_longitude
        east = math.sin(ahead) > 0
        if abs(math.sin(ahead)) < 1e-3:
            continue  # at conjunction or opposition itself either side is right
        when = ("invisible" if angle < 15 else "toute la nuit" if angle >= 150
                else "le soir" if east else "le matin")
        side = "à l'est" if east else "à l'ouest"
        line = next(text for text in legend if text.startswith(name + " :"))
        expected = f"{math.floor(angle)}\u00b0 {side} du Soleil, {when}"
        if f" : {expected}" not in line and f"é, {expected}" not in line and \
                f"{math.floor(angle + 1e-6)}\u00b0 {side} du Soleil, {when}" not in line:
            fail(f"{date}: legend {line!r}, expected it to say {expected!r}")
        # How bright, from the CSV's magnitude; Mercury and Venus with their
        # phase.
        magnitude = "mag. " + f"{float(rows[body]['magnitude']):.1f}".replace(".", ",")
        if magnitude not in line:
            fail(f"{date}: legend {line!r} without {magnitude!r}")
        if body in ("mercury", "venus"):
            lit = math.floor(100 * float(rows[body]["illuminated_fraction"]))
            if not line.endswith(f", éclairée à {lit} %"):
                fail(f"{date}: legend {line!r} without its phase {lit} %")
        sides[(date, body)] = side

    check_layout(root, date)
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
    for date, body in EAST_NEAR_OPPOSITION:
        if sides[(date, body)] != "à l'est":
            fail(f"{date}: {body} said {sides[(date, body)]} of the Sun")

    # Caught: a label pushed away from its body (Neptune's on 1.5/1/2000)
    # stood alone; a leader line now joins them.
    root = ET.fromstring(run(program, "--format", "svg", "1.5/1/2000"))
    neptune = next(g for g in root.iter(SVG + "g") if g.get("id") == "neptune")
    nx, ny = centre(neptune)
    leaders = list(root.find(f".//{SVG}g[@id='leaders']").iter(SVG + "line"))
    if not any(math.hypot(float(l.get("x1")) - nx, float(l.get("y1")) - ny) < 8 for l in leaders):
        fail("1.5/1/2000: no leader line from Neptune to its label")

    # Caught: a Moon at 23.999h was drawn half outside the map; it is now
    # clipped to the map and drawn again at the other edge.
    root = ET.fromstring(run(program, "--format", "svg", "16.145833333333332/1/2024"))
    if root.find(f".//{SVG}g[@id='bodies']").get("clip-path") != "url(#map-area)":
        fail("the bodies are not clipped to the map")
    moon = next(g for g in root.iter(SVG + "g") if g.get("id") == "moon")
    discs = sorted(float(c.get("cx")) for c in moon.iter(SVG + "circle"))
    if len(discs) != 2 or discs[0] > 70 or discs[1] < 1150:
        fail(f"the Moon at 23.998h drawn at x = {discs}, not at both edges")

    # Caught: the title showed 8.7646/4/2024 for 2024-04-08T18:21; it shows
    # the date word as given.
    root = ET.fromstring(run(program, "--format", "svg", "2024-04-08T18:21"))
    if not root.find(f"{SVG}title").text.startswith("Le ciel du 2024-04-08T18:21  (Jour"):
        fail(f"title {root.find(SVG + 'title').text!r}")
    # Caught: a picture of 30000 BC looked like any other; it says under its
    # title that the accuracy is not measured there.
    far = subprocess.run([program, "--format", "svg", "1/1/-30000"], capture_output=True)
    warning = ET.fromstring(far.stdout).find(f".//{SVG}text[@id='warning']")
    if warning is None or "hors des années 1000 à 3000" not in warning.text:
        fail("no warning in the picture of 1/1/-30000")
    if ET.fromstring(run(program, "--format", "svg", "1.5/1/2000")).find(
            f".//{SVG}text[@id='warning']") is not None:
        fail("a warning in the picture of 1.5/1/2000")

    # The layout of many pictures: 100 dates drawn at random.
    rng = random.Random(5)
    for _ in range(100):
        date = f"{rng.randint(1, 28) + rng.randint(0, 95) / 96}/{rng.randint(1, 12)}/" \
               f"{rng.randint(1900, 2100)}"
        check_layout(ET.fromstring(run(program, "--format", "svg", date)), date)
    print(f"{len(DATES)} pictures render, parse, and put every body where it stands; "
          "100 more keep their layout")
    return 0


if __name__ == "__main__":
    sys.exit(main())
