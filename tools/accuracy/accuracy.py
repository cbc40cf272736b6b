#!/usr/bin/python3
"""Measure how far the program's printed positions are from an independent model.

The tool types many dates into the real executable in one run, reads the
reports back and compares every printed field with ERFA:

  Sun      minus the Earth's heliocentric position (epv00)
  planets  heliocentric position (plan94) minus the Earth's (epv00)
  Moon     geocentric position (moon98)

All vectors are rotated from the J2000 frame to the mean equator and equinox
of date with the IAU 2006 precession matrix (pmat06).  Like the program's own
positions they are geometric: no light-time, aberration or nutation.  The
typed date and time is used both as TT and as UT, so no Delta T enters on
either side.  The reference illuminated fraction of the Moon comes from the
Sun-Earth-Moon geometry, k = (1 + cos i) / 2 with i the angle at the Moon
between the Sun and the Earth; the reference sidereal time is gmst06.

Every printed field is cut (floor), never rounded, so a printed value stands
for a whole interval.  Each printed value is replaced by the centre of its
interval before the comparison: right ascension + 0.5 s of time, |declination|
+ 0.5 arcmin, distance + 0.00005, illumination + 0.5 %, sidereal time + 0.5 s.
The comparison with the centre is unbiased; what is left of the cut is a
uniform error of at most half an interval.

Errors, for each body, as printed minus reference:
  right ascension   arcseconds on the sky, i.e. dRA * cos(dec)
  declination       arcseconds
  separation        arcseconds, the angle between printed and reference direction
  distance          relative, (printed - reference) / reference
  Moon illumination percentage points
  sidereal time     seconds of time

The Julian Day printed in each header is checked against the tool's own
conversion of the date (Julian calendar before 15 October 1582, Gregorian
from then on), so a calendar mismatch is reported as an error, not as a
position error.

Usage (always with /usr/bin/python3, where ERFA is installed):
  accuracy.py [--exe PATH] [--out DIR]   write DIR/accuracy.md and DIR/accuracy.png
  accuracy.py --check --exe PATH         compare fixed dates with the bounds below;
                                         exit status 1 if any bound is exceeded
"""

import argparse
import math
import pathlib
import re
import subprocess
import sys
import warnings

try:
    import erfa
    import numpy as np
except ImportError as missing:
    # Exit status 77 tells ctest to count the check as skipped, not failed.
    print(f"{missing}: install python3-erfa and python3-numpy, run with /usr/bin/python3")
    sys.exit(77)

REPO = pathlib.Path(__file__).resolve().parents[2]

# Units.  Angles are handled in arcseconds, times of day in seconds of time.
ARCSEC = 1.0
ARCMIN = 60.0 * ARCSEC
DEGREE = 60.0 * ARCMIN
SECOND_OF_TIME = 1.0
PERCENT_POINT = 1.0
PPM = 1e-6                      # relative distance error, parts per million

RAD_TO_ARCSEC = 180.0 * 3600.0 / math.pi
RAD_TO_SECOND_OF_TIME = 12.0 * 3600.0 / math.pi
AU_KM = 149597870.7

# The report rows: printed name, English name, plan94 planet number.
BODIES = (
    ("Soleil", "Sun", None),
    ("Lune", "Moon", None),
    ("Mercure", "Mercury", 1),
    ("Venus", "Venus", 2),
    ("Mars", "Mars", 4),
    ("Jupiter", "Jupiter", 5),
    ("Saturne", "Saturn", 6),
    ("Uranus", "Uranus", 7),
    ("Neptune", "Neptune", 8),
)
# The quantities that are not a body's position: key, English name, unit.
OTHERS = (
    ("illumination", "Moon illumination", PERCENT_POINT, "points"),
    ("sidereal", "Sidereal time", SECOND_OF_TIME, "s"),
)

# Check mode: fixed dates, and bounds on the largest error over them, set a
# little above what the program measured there (docs/accuracy.md shows the
# measurement over many more dates).
CHECK_SPAN = (1800, 2200)
CHECK_DATES = 400
CHECK_SEED = 6
CHECK_BOUNDS = {
    # body:    (angular separation, relative distance)   measured max
    "Soleil":  (45 * ARCSEC, 130 * PPM),                # 41", 118 ppm
    "Lune":    (40 * ARCSEC, 115 * PPM),                # 35", 102 ppm
    "Mercure": (57 * ARCSEC, 190 * PPM),                # 51", 170 ppm
    "Venus":   (80 * ARCSEC, 400 * PPM),                # 73", 364 ppm
    "Mars":    (340 * ARCSEC, 1200 * PPM),              # 307", 1107 ppm
    "Jupiter": (130 * ARCSEC, 330 * PPM),               # 118", 302 ppm
    "Saturne": (250 * ARCSEC, 390 * PPM),               # 228", 352 ppm
    "Uranus":  (80 * ARCSEC, 255 * PPM),                # 72", 230 ppm
    "Neptune": (85 * ARCSEC, 120 * PPM),                # 76", 107 ppm
    "illumination": 0.6 * PERCENT_POINT,                # 0.51 points
    "sidereal": 0.8 * SECOND_OF_TIME,                   # 0.69 s
}

# Report mode: one sample, evenly spread in time over the wide span; the
# table is made from the part of it that falls in the main span.
WIDE_SPAN, WIDE_DATES, WIDE_SEED = (1000, 3000), 100000, 1000
MAIN_SPAN = (1800, 2200)

STEPS_PER_DAY = 256             # times of day are whole multiples of 1/256 day,
                                # exact in both binary and decimal


# ---------------------------------------------------------------- calendar

GREGORIAN_START_JD = 2299160.5  # 15 October 1582, 0h
JULIAN_EPOCH_JD = 1721423.5     # 1 January of year 1, Julian calendar, 0h
MONTH_LENGTHS = (31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31)


def julian_calendar_date(jd):
    """Year, month and day of a Julian Day in the Julian calendar (year >= 1)."""
    days = math.floor(jd - JULIAN_EPOCH_JD)
    fraction = (jd - JULIAN_EPOCH_JD) - days
    cycles, days = divmod(days, 1461)          # 4-year cycles, the fourth year leap
    year_in_cycle = min(days // 365, 3)
    days -= 365 * year_in_cycle
    year = 1 + 4 * cycles + year_in_cycle
    month = 1
    for length in MONTH_LENGTHS:
        if month == 2 and year % 4 == 0:
            length += 1
        if days < length:
            break
        days -= length
        month += 1
    return year, month, days + 1 + fraction


def program_date(jd):
    """The (year, month, day) to type for a Julian Day, in the program's calendar."""
    if jd < GREGORIAN_START_JD:
        return julian_calendar_date(jd)
    year, month, day, fraction = erfa.jd2cal(jd, 0.0)
    fraction = round(float(fraction) * STEPS_PER_DAY) / STEPS_PER_DAY
    return int(year), int(month), int(day) + fraction


def new_year(year):
    """Julian Day of 1 January, 0h, of a year in the program's calendar."""
    if year <= 1582:
        return JULIAN_EPOCH_JD + 365 * (year - 1) + (year - 1) // 4
    first = erfa.cal2jd(year, 1, 1)
    return float(first[0] + first[1])


def sample_dates(span, count, seed):
    """Sorted pseudo-random Julian Days over whole years, times on the 1/256 day grid."""
    first, last = new_year(span[0]), new_year(span[1] + 1)
    jd = first + np.random.default_rng(seed).random(count) * (last - first)
    jd = np.floor((jd - 0.5) * STEPS_PER_DAY) / STEPS_PER_DAY + 0.5
    return np.sort(jd)


def year_of(jd):
    return 2000.0 + (jd - 2451545.0) / 365.25


# ---------------------------------------------------------------- the program

BANNER = "Version 2.2\n\n"
PROMPTS = "Jour : Mois : Annee : "
HEADER = re.compile(
    r"(?P<day>\S+)/(?P<month>-?\d+)/(?P<year>-?\d+)  \(Jour Julien : (?P<jd>\S+)\)"
    r"  \(Temps siderale : (?P<h>[ \d]\d)h (?P<m>[ \d]\d)m (?P<s>[ \d]\d)s\)$")
ROW = re.compile(
    r" (?P<name>\S+) *    (?P<h>[ \d]\d)h (?P<m>[ \d]\d)m (?P<s>[ \d]\d)s"
    r"       (?P<sign>[ -])(?P<deg>[ \d]\d) deg (?P<min>[ \d]\d)'"
    r"     *(?P<dist>[\d.]+)(?:      (?P<illum>\d+)%)?$")


def run_program(exe, dates):
    """Type all dates into one run of the program; return its parsed reports."""
    typed = "".join(f"{day!r} {month} {year}\n" for year, month, day in dates)
    done = subprocess.run([str(exe)], input=typed, capture_output=True,
                          text=True, timeout=600)
    if done.returncode != 0:
        sys.exit(f"{exe} exited with status {done.returncode}: {done.stderr.strip()}")
    if not done.stdout.startswith(BANNER):
        sys.exit(f"unexpected start of output: {done.stdout[:40]!r}")
    # Each report follows the three prompts; whatever the program writes at
    # the end of input comes after the last report and is not read.
    chunks = done.stdout[len(BANNER):].split(PROMPTS)
    if chunks[0] != "" or len(chunks) != len(dates) + 1:
        sys.exit(f"expected {len(dates)} reports, got {len(chunks) - 1}")
    return [parse_report(chunk) for chunk in chunks[1:]]


def parse_report(text):
    """One report (header, rule, titles, rule, nine rows, empty line) as a dict.

    'jd' is the printed Julian Day; every other value is the centre of the
    interval that the cut printed field stands for: 'sidereal' in seconds of
    time, and per printed body name (right ascension in seconds of time,
    declination in arcsec, distance, illumination in percent or None).
    """
    lines = text.split("\n")
    header = HEADER.match(lines[0])
    if header is None or len(lines) < 15 or lines[13] != "":
        sys.exit(f"cannot read report:\n{text}")
    report = {"jd": float(header["jd"]), "sidereal": hms_centre(header)}
    for line, (name, _, _) in zip(lines[4:13], BODIES):
        row = ROW.match(line)
        if row is None or row["name"] != name:
            sys.exit(f"cannot read the {name} row: {line!r}")
        dec = int(row["deg"]) * DEGREE + (int(row["min"]) + 0.5) * ARCMIN
        illumination = None
        if row["illum"] is not None:
            illumination = min(int(row["illum"]) + 0.5, 100.0)
        report[name] = (hms_centre(row),
                        -dec if row["sign"] == "-" else dec,
                        float(row["dist"]) + 0.00005,
                        illumination)
    return report


def hms_centre(match):
    return int(match["h"]) * 3600 + int(match["m"]) * 60 + int(match["s"]) + 0.5


# ---------------------------------------------------------------- reference

def reference(jd):
    """ERFA positions for an array of Julian Days (taken as TT and as UT).

    Returns a dict: per printed body name (right ascension and declination in
    radians, distance in AU or, for the Moon, thousands of km), plus
    'illumination' (percent) and 'sidereal' (seconds of time).
    """
    d1 = np.full_like(jd, 2451545.0)
    d2 = jd - d1
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")      # ERFA warns about dates far from 2000
        earth = erfa.epv00(d1, d2)[0]["p"]
        moon = erfa.moon98(d1, d2)["p"]
        precession = erfa.pmat06(d1, d2)
        gmst = erfa.gmst06(d1, d2, d1, d2)
        planets = {name: erfa.plan94(d1, d2, number)["p"]
                   for name, _, number in BODIES if number is not None}

    def of_date(vector):
        ra, dec = erfa.c2s(erfa.rxp(precession, vector))
        return ra, dec, np.linalg.norm(vector, axis=-1)

    sun = -earth
    ra, dec, distance = of_date(moon)
    ref = {"Soleil": of_date(sun), "Lune": (ra, dec, distance * AU_KM / 1000.0)}
    for name, heliocentric in planets.items():
        ref[name] = of_date(heliocentric - earth)
    to_sun, to_earth = sun - moon, -moon
    cos_phase = (np.sum(to_sun * to_earth, axis=-1)
                 / np.linalg.norm(to_sun, axis=-1) / np.linalg.norm(to_earth, axis=-1))
    ref["illumination"] = 100.0 * (1.0 + cos_phase) / 2.0
    ref["sidereal"] = gmst * RAD_TO_SECOND_OF_TIME
    return ref


# ---------------------------------------------------------------- comparison

JD_TOLERANCE = 6e-5             # days; the header shows 11 significant digits


def wrap(value, turn):
    """Bring a difference into [-turn/2, turn/2)."""
    return (value + turn / 2) % turn - turn / 2


def compare(exe, jd):
    """Run the program on the given Julian Days; return the errors, printed minus reference.

    Per printed body name a dict of arrays: 'ra' and 'dec' and 'sep' in
    arcsec, 'dist' relative; plus arrays 'illumination' (percentage points)
    and 'sidereal' (seconds of time).
    """
    dates = [program_date(float(x)) for x in jd]
    reports = run_program(exe, dates)
    printed_jd = np.array([r["jd"] for r in reports])
    wrong = np.abs(printed_jd - jd) > JD_TOLERANCE
    if wrong.any():
        i = int(np.argmax(wrong))
        sys.exit(f"date {dates[i]} printed Julian Day {printed_jd[i]}, expected {jd[i]}")

    ref = reference(jd)
    errors = {}
    for name, _, _ in BODIES:
        ra = np.array([r[name][0] for r in reports]) / RAD_TO_SECOND_OF_TIME
        dec = np.array([r[name][1] for r in reports]) / RAD_TO_ARCSEC
        distance = np.array([r[name][2] for r in reports])
        ref_ra, ref_dec, ref_distance = ref[name]
        errors[name] = {
            "ra": wrap(ra - ref_ra, 2 * math.pi) * np.cos(ref_dec) * RAD_TO_ARCSEC,
            "dec": (dec - ref_dec) * RAD_TO_ARCSEC,
            "sep": erfa.seps(ra, dec, ref_ra, ref_dec) * RAD_TO_ARCSEC,
            "dist": (distance - ref_distance) / ref_distance,
        }
    illumination = np.array([r["Lune"][3] for r in reports])
    errors["illumination"] = illumination - ref["illumination"]
    sidereal = np.array([r["sidereal"] for r in reports])
    errors["sidereal"] = wrap(sidereal - ref["sidereal"], 86400.0 * SECOND_OF_TIME)
    return errors


def select(errors, mask):
    """The same errors restricted to the dates where mask is true."""
    if isinstance(errors, dict):
        return {key: select(value, mask) for key, value in errors.items()}
    return errors[mask]


def max_abs(values):
    return float(np.max(np.abs(values)))


def rms(values):
    return float(np.sqrt(np.mean(np.square(values))))


# ---------------------------------------------------------------- check mode

def check(exe):
    """Compare the fixed dates with CHECK_BOUNDS; 0 if all are kept, else 1."""
    errors = compare(exe, sample_dates(CHECK_SPAN, CHECK_DATES, CHECK_SEED))
    measured = []              # (what, value, bound, unit, unit name)
    for name, english, _ in BODIES:
        sep_bound, dist_bound = CHECK_BOUNDS[name]
        measured.append((f"{english} separation", max_abs(errors[name]["sep"]),
                         sep_bound, ARCSEC, "arcsec"))
        measured.append((f"{english} distance", max_abs(errors[name]["dist"]),
                         dist_bound, PPM, "ppm"))
    for key, english, unit, unit_name in OTHERS:
        measured.append((english, max_abs(errors[key]), CHECK_BOUNDS[key], unit, unit_name))

    failures = 0
    for what, value, bound, unit, unit_name in measured:
        verdict = "ok" if value <= bound else "FAIL"
        failures += verdict == "FAIL"
        print(f"{verdict:4} {what:25} max {value / unit:8.2f} {unit_name:6}"
              f" bound {bound / unit:8.2f}")
    print(f"{failures} of {len(measured)} bounds exceeded over {CHECK_DATES} dates"
          f" from {CHECK_SPAN[0]} to {CHECK_SPAN[1]}")
    return 1 if failures else 0


# ---------------------------------------------------------------- report mode

# Largest angle that the cut fields alone can cause: half a second of time in
# right ascension (7.5 arcsec on the equator) with half an arcminute in declination.
PRINT_RESOLUTION = math.hypot(7.5 * ARCSEC, 0.5 * ARCMIN)


def body_table(errors):
    """Markdown table: per body, max and RMS of each error."""
    rows = ["| Body | RA max | RA RMS | Dec max | Dec RMS | Separation max | Separation RMS"
            " | Distance max | Distance RMS |",
            "|---|--:|--:|--:|--:|--:|--:|--:|--:|"]
    for name, english, _ in BODIES:
        e = errors[name]
        cells = [f"{f(e[key]) / ARCSEC:.0f}″" for key in ("ra", "dec", "sep")
                 for f in (max_abs, rms)]
        cells += [f"{f(e['dist']) / PPM:.0f} ppm" for f in (max_abs, rms)]
        rows.append(f"| {english} | " + " | ".join(cells) + " |")
    return "\n".join(rows)


def others_table(errors):
    """Markdown table: illumination and sidereal time, max, RMS and mean."""
    rows = ["| Quantity | max | RMS | mean |", "|---|--:|--:|--:|"]
    for key, english, unit, unit_name in OTHERS:
        values = errors[key] / unit
        mean = round(float(np.mean(values)), 2) + 0.0      # no "-0.00"
        rows.append(f"| {english} | {max_abs(values):.2f} {unit_name}"
                    f" | {rms(values):.2f} {unit_name} | {mean:+.2f} {unit_name} |")
    return "\n".join(rows)


def wide_table(main_errors, wide_errors, wide_jd):
    """Markdown table: largest error over both spans, and its year in the wide one."""
    years = year_of(wide_jd)
    rows = ["| Quantity | max 1800–2200 | max 1000–3000 | in the year |", "|---|--:|--:|--:|"]
    for name, english, _ in BODIES:
        sep = wide_errors[name]["sep"]
        rows.append(f"| {english} | {max_abs(main_errors[name]['sep']) / ARCSEC:.0f}″"
                    f" | {max_abs(sep) / ARCSEC:.0f}″ | {math.floor(years[np.argmax(sep)])} |")
    for key, english, unit, unit_name in OTHERS:
        worst = np.argmax(np.abs(wide_errors[key]))
        rows.append(f"| {english} | {max_abs(main_errors[key]) / unit:.2f} {unit_name}"
                    f" | {max_abs(wide_errors[key]) / unit:.2f} {unit_name}"
                    f" | {math.floor(years[worst])} |")
    return "\n".join(rows)


def bounds_table():
    rows = ["| Quantity | bound |", "|---|--:|"]
    for name, english, _ in BODIES:
        separation, distance = CHECK_BOUNDS[name]
        rows.append(f"| {english}: separation, distance | {separation / ARCSEC:.0f}″,"
                    f" {distance / PPM:.0f} ppm |")
    for key, english, unit, unit_name in OTHERS:
        rows.append(f"| {english} | {CHECK_BOUNDS[key] / unit:.2f} {unit_name} |")
    return "\n".join(rows)


def plot(path, jd, errors):
    """One panel per body: separation against year, in arcmin on a log scale."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    years = year_of(jd)
    edges = np.arange(WIDE_SPAN[0], WIDE_SPAN[1] + 21, 20)
    bins = np.digitize(years, edges)
    figure, axes = plt.subplots(3, 3, figsize=(12, 9), sharex=True, constrained_layout=True)
    for axis, (name, english, _) in zip(axes.flat, BODIES):
        sep = errors[name]["sep"] / ARCMIN
        envelope = [sep[bins == k].max() for k in range(1, len(edges))]
        axis.axvspan(*MAIN_SPAN, color="tab:blue", alpha=0.08, linewidth=0)
        axis.scatter(years, sep, s=0.3, color="0.6", linewidths=0, rasterized=True)
        axis.step(edges[:-1], envelope, where="post", color="tab:blue", linewidth=1.2)
        axis.axhline(PRINT_RESOLUTION / ARCMIN, color="tab:red", linewidth=1, linestyle="--")
        axis.set_yscale("log")
        axis.set_ylim(0.01, None)
        axis.set_xlim(*WIDE_SPAN)
        axis.set_title(english)
        axis.grid(True, which="major", linewidth=0.3)
    for axis in axes[:, 0]:
        axis.set_ylabel("error (arcmin)")
    for axis in axes[-1, :]:
        axis.set_xlabel("year")
    figure.suptitle("Angle between printed and reference position.  Dots: single dates; "
                    "blue line: largest error per 20 years;\nred dashes: largest error the "
                    "cut print fields alone can cause; shaded: 1800–2200")
    figure.savefig(path, dpi=80, metadata={"Software": None})
    plt.close(figure)


def report(exe, out):
    """Write out/accuracy.md and out/accuracy.png."""
    jd = sample_dates(WIDE_SPAN, WIDE_DATES, WIDE_SEED)
    errors = compare(exe, jd)
    in_main = (jd >= new_year(MAIN_SPAN[0])) & (jd < new_year(MAIN_SPAN[1] + 1))
    main_errors = select(errors, in_main)
    out.mkdir(parents=True, exist_ok=True)
    plot(out / "accuracy.png", jd, errors)
    text = DOCUMENT.format(
        main_dates=int(in_main.sum()), wide_dates=len(jd),
        body_table=body_table(main_errors),
        others_table=others_table(main_errors),
        wide_table=wide_table(main_errors, errors, jd),
        bounds_table=bounds_table(), check_dates=CHECK_DATES)
    (out / "accuracy.md").write_text(text)


DOCUMENT = """\
# How far to trust the printed positions

The program computes its positions from mean orbital elements and short
trigonometric series, and prints every field cut rather than rounded. This page
measures the printed figures against an independent model: {main_dates} instants
between 1800 and 2200 for the table, and {wide_dates} instants between 1000 and
3000 for the picture and for orientation. The page and the picture are written
by `tools/accuracy/accuracy.py`; see [Reproducing](#reproducing).

In short, for 1800 to 2200: the Sun, the Moon and Mercury are within about an
arcminute, not far above the half arcminute that the printed precision alone
allows; Venus, Uranus and Neptune are within two arcminutes, Jupiter within two
and a half, Saturn within four; Mars is the weak point, off by up to seven
arcminutes near close oppositions. Distances are good to a few parts in ten
thousand (Mars: 1.4 in a thousand), the Moon's illuminated percentage to its
last printed digit, the sidereal time to its printed second.

## What is compared

- **Reference.** ERFA, the open re-implementation of the IAU's SOFA routines
  (Debian's `python3-erfa`). The Earth comes from `epv00` (a short form of
  VSOP2000), the planets from `plan94` (Simon et al. 1994) minus the Earth,
  the Sun from minus the Earth, the Moon from `moon98` (Meeus' series from
  ELP-2000/82). Every vector is turned from the J2000 frame to the mean
  equator and equinox of the date with `pmat06` (IAU 2006 precession).
- **Same kind of position.** Like the program's, the reference positions are
  geometric and geocentric: no light-time, no aberration, no nutation. The
  date and time typed is used as both TT and UT, so ΔT plays no part.
- **Moon illumination** of the reference: k = (1 + cos i) / 2, with i the
  angle at the Moon between the Sun and the Earth, from the vectors above.
- **Sidereal time** of the reference: Greenwich mean sidereal time, `gmst06`.
- **Dates.** Pseudo-random instants with a fixed seed, evenly spread in time,
  with times of day on a grid of 1/256 day (5 min 37.5 s) so that the typed
  day is exact. They are typed in the program's own calendar (Julian before
  15 October 1582, Gregorian from then on), and the Julian Day printed in each
  header is checked against the tool's own conversion.

## The cut fields

The program cuts every field: 22h 2m 4s means a right ascension somewhere in
[22h 2m 4s, 22h 2m 5s). The tool compares the reference with the **centre** of
that interval: right ascension + 0.5 s of time, |declination| + 0.5′, distance
+ 0.00005 (the distance is cut to four decimals before it is shown to five
significant digits, which makes the centre 0.00005 above the printed number in
every case), illumination + 0.5 point, sidereal time + 0.5 s. Compared with the
centre, the print adds no bias, only a spread of at most half an interval.
Cutting the reference the same way and comparing whole units would instead
turn every small error into 0 or 1 unit and hide everything below a unit.

So even a perfect computation would show, from the print alone, up to 7.5″
(RMS 4″) in right ascension on the sky, 30″ (RMS 17″) in declination, 31″
(RMS 18″) in direction, 0.5 point (RMS 0.29) in illumination and 0.5 s
(RMS 0.29 s) in sidereal time; in distance 0.00005 AU, which is 50 ppm at
1 AU and 180 ppm for Venus at its closest, and 5 km (13 ppm) for the Moon.
Numbers near these mean "as good as the print allows".

## 1800 to 2200

Printed minus reference, over {main_dates} instants. RA is the error on the sky,
Δα·cos δ (one second of time is 15″·cos δ); separation is the angle between the
printed and the reference direction; distance is relative, in parts per million.

{body_table}

{others_table}

Reading the table:

- **Sun and Moon.** Both are close to the print floor: their RMS exceeds the
  18″ of the print alone by a few arcseconds. The Sun comes from an
  unperturbed ellipse, which the pulls of the Moon, Venus and Jupiter move by
  up to about 30″; the Moon's 50, 45 and 30-term series follow the fuller
  reference series to within about 15″.
- **Mercury, Venus and Mars** are unperturbed Kepler ellipses. Their
  heliocentric errors (about half an arcminute for Mercury and Venus, up to
  2.5′ for Mars, whose mean longitude also runs 30″ to 50″ behind the
  reference) are seen magnified from the Earth when the planet is close: Venus
  near inferior conjunction at 0.27 AU, Mars near a close opposition at
  0.37 AU. The largest Mars errors all fall near such an opposition; while Mars
  is more than 1 AU away its error stays under 2.7′.
- **Jupiter and Saturn** carry their mutual perturbations, which leave about
  2′ and 4′; Saturn's errors are largest in the 21st century.
- **Uranus and Neptune** are good to a good arcminute, which is about the
  reference's own error for Uranus (next section).
- **Sidereal time.** The program's formula is the older, 1900-based one. It
  runs 0.09 s behind `gmst06` in 2000 and drifts by about 0.065 s per century,
  hence the mean above and the 0.2 s beyond the print floor by 2200.
- **Illumination.** Indistinguishable from the exact geometry at the printed
  precision.

## The reference's own error

The reference is not exact either; where the program's error is of the same
size, the table cannot say which of the two is wrong.

- `plan94`: ERFA's documentation gives, against JPL's DE200 over 1800–2100,
  maximum heliocentric longitude errors of 7″ (Mercury), 7″ (Venus), 26″
  (Mars), 78″ (Jupiter), 87″ (Saturn), 86″ (Uranus) and 11″ (Neptune). Seen
  from the Earth these grow by the ratio of the Sun's distance to the Earth's,
  up to about 1.3 for Jupiter. For Jupiter, Saturn and above all Uranus, about
  an arcminute of the errors above may therefore be the reference's: Uranus'
  measured maximum is within it, so for Uranus the table says little more than
  "within about 2.7′" (measured plus the reference's own). Neptune and the
  inner planets are measured against a much better reference.
- `epv00` (the Earth, hence the Sun): a few kilometres, below 0.1″.
- `moon98`: RMS 2.9″, at most 18″ in direction and 32 km in distance against
  ELP/MPP02 over 1950–2100. It is the fuller form of the same family of lunar
  series the program uses, so it checks the program's truncation and
  arithmetic well, but shares the series' ancestry.
- `pmat06` and `gmst06`: milliarcseconds and milliseconds, negligible here.
  `plan94` works in the J2000 dynamical frame, taken here as the GCRS; they
  differ by 0.02″.

## 1000 to 3000

{wide_table}

Beyond 1800–2200 the errors grow, and the picture shows how. The Moon degrades
fastest: its error grows roughly with the square of the time from 2000, the
mark of secular terms that differ from the reference's, to about 3.5′ by the
year 1000 and 3′ by 3000. Saturn reaches 7′ to 8′, Uranus and Neptune 2.5′ to
3′, Mars near close oppositions 9′; the Sun, Mercury and Venus hardly change.
The sidereal time's offset grows to about +0.6 s by 1000 and −0.7 s by 3000,
on top of the cut. Over this span the reference is weaker too: `plan94`'s
authors promise no worse than 1.5 times its 1800–2050 error, `epv00` degrades
sixty-fold by 1000 and 3000 (still only a few arcseconds for the nearest
planets), and `moon98`'s long-term error is not documented, so the Moon's
figures far from 2000 are the difference of two extrapolations.

## The picture

![Error against year, one panel per body](accuracy.png)

Each grey dot is one instant: the angle between the printed and the reference
direction, in arcminutes on a logarithmic scale. The blue line is the largest
error in each 20 years, the red dashes the 31″ that the cut fields alone can
cause, the shading the span of the table. The dense grey floor below the red
line is the print's own spread.

## Reproducing

From the repository root, after building the program:

```
cmake --preset default && cmake --build --preset default
/usr/bin/python3 tools/accuracy/accuracy.py --exe build/default/ephemerides --out docs
```

It rewrites `docs/accuracy.md` and `docs/accuracy.png` in about 15 seconds. It
needs Debian's `python3-erfa`, `python3-numpy` and `python3-matplotlib`, which
load under `/usr/bin/python3`.

The test `accuracy` (`ctest --preset dev -L accuracy`) runs
`accuracy.py --check` on {check_dates} fixed instants between 1800 and 2200 and
fails when any of these largest errors exceeds its bound, each set a
little above what the program measures on those instants:

{bounds_table}
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--exe", default=REPO / "build" / "default" / "ephemerides",
                        type=pathlib.Path, help="the program to measure")
    parser.add_argument("--check", action="store_true",
                        help="check fixed dates against the bounds and exit")
    parser.add_argument("--out", default=REPO / "docs", type=pathlib.Path,
                        help="directory for accuracy.md and accuracy.png")
    args = parser.parse_args()
    if args.check:
        return check(args.exe)
    report(args.exe, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
