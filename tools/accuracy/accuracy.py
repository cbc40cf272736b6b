#!/usr/bin/python3
"""Measure how far the program's positions are from an independent model.

The tool types many dates into the real executable in one run, reads the
reports back and compares every printed field with ERFA:

  Sun      minus the Earth's heliocentric position (epv00)
  planets  heliocentric position (plan94) minus the Earth's (epv00)
  Moon     geocentric position (moon98)

All vectors are rotated from the J2000 frame to the mean equator and equinox
of date with the IAU 2006 precession matrix (pmat06).  Like the program's own
positions they are geometric: no light-time, aberration or nutation.  The
typed date is taken as the program takes it without --ut: as TT for the
positions and as UT for the sidereal time.  The reference illuminated
fraction of the Moon comes from the Sun-Earth-Moon geometry,
k = (1 + cos i) / 2 with i the angle at the Moon between the Sun and the
Earth; the reference sidereal time is gmst06 at UT1 = the date, with
TT = UT1 + Delta T from the table below.

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

A second measurement takes dates from 1000 to 2200 as Universal Time, the
way a clock gives them.  The reference Sun and Moon are then at
TT = UT + Delta T, with Delta T interpolated in published values
(DELTA_T_TABLE) that owe nothing to the program's own model.  The program
runs twice on the same dates with --format csv, whose values are not cut:
once without --ut (the date taken as TT) and once with --ut (the program
adds its own Delta T).  The error is the angle between the program's and
the reference direction, in arcseconds.

Usage (always with /usr/bin/python3, where ERFA is installed):
  accuracy.py [--exe PATH] [--out DIR]   write DIR/accuracy.md, DIR/accuracy.png
                                         and DIR/accuracy_ut.png
  accuracy.py --check --exe PATH         compare fixed dates with the bounds below;
                                         exit status 1 if any bound is exceeded
"""

import argparse
import csv
import io
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
SECONDS_PER_DAY = 86400.0

# The CSV gives hours and degrees converted from radians with the program's
# own value of pi; the same value turns them back.
PROGRAM_PI = 3.1415926535898
HOUR_TO_RAD = PROGRAM_PI / 12.0
DEGREE_TO_RAD = PROGRAM_PI / 180.0

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

# Dates taken as Universal Time: their own sample, and the table's spans.
UT_SPAN, UT_DATES, UT_SEED = (1000, 2200), 24000, 2200
UT_STEP = 200                   # years per row of the table
# The CSV rows compared: CSV name, English name, printed name (reference key).
UT_BODIES = (("moon", "Moon", "Lune"), ("sun", "Sun", "Soleil"))
# Mean motion against the equinox, from the tropical month and year: how far
# a body moves while the clock is off by one second.
MEAN_MOTION = {"Moon": 360 * DEGREE / (27.321582 * SECONDS_PER_DAY),     # 0.549 arcsec/s
               "Sun": 360 * DEGREE / (365.242190 * SECONDS_PER_DAY)}     # 0.0411 arcsec/s

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


# ---------------------------------------------------------------- Delta T

# TT - UT in seconds, as published: Morrison and Stephenson (2004) up to 1950
# as tabulated by Espenak, observed values from 1955 on.
DELTA_T_TABLE = (
    (1000, 1570.0), (1100, 1090.0), (1200, 740.0), (1300, 490.0), (1400, 320.0),
    (1500, 200.0), (1600, 120.0), (1700, 9.0), (1750, 13.0), (1800, 14.0),
    (1850, 7.0), (1900, -3.0), (1950, 29.0), (1955, 31.1), (1960, 33.2),
    (1965, 35.7), (1970, 40.2), (1975, 45.5), (1980, 50.5), (1985, 54.3),
    (1990, 56.9), (1995, 60.8), (2000, 63.8), (2005, 64.7), (2010, 66.1),
    (2015, 67.6), (2020, 69.4),
)
# Beyond the last value, nodes every 50 years on Morrison and Stephenson's
# long-term parabola; the interpolation bridges 2020 to 2100.
LONG_TERM_YEARS = range(2100, 3001, 50)


def long_term_delta_t(year):
    """Delta T in seconds from the long-term parabola -20 + 32 u^2, u = (year - 1820) / 100."""
    u = (year - 1820.0) / 100.0
    return -20.0 + 32.0 * u * u


DELTA_T_NODES = np.array(list(DELTA_T_TABLE)
                         + [(year, long_term_delta_t(year)) for year in LONG_TERM_YEARS])


def delta_t(years):
    """Reference Delta T in seconds for an array of years: the cubic through the four nearest nodes."""
    x, value = DELTA_T_NODES[:, 0], DELTA_T_NODES[:, 1]
    years = np.asarray(years, dtype=float)
    interval = np.searchsorted(x, years, side="right") - 1
    first = np.clip(interval - 1, 0, len(x) - 4)
    result = np.zeros_like(years)
    for a in range(4):
        weight = np.ones_like(years)
        for b in range(4):
            if b != a:
                weight *= (years - x[first + b]) / (x[first + a] - x[first + b])
        result += weight * value[first + a]
    return result


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


def run_csv(exe, dates, ut):
    """Give all dates to one run of the program with --format csv (and --ut if ut).

    Returns a dict of arrays, one value per date: 'jd' (as printed),
    'delta_t' (seconds the program applied) and, per CSV body name in
    UT_BODIES, a pair (right ascension, declination) in radians.
    """
    typed = "".join(f"{day!r} {month} {year}\n" for year, month, day in dates)
    command = [str(exe), "--format", "csv"] + (["--ut"] if ut else [])
    done = subprocess.run(command, input=typed, capture_output=True, text=True, timeout=600)
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} exited with status {done.returncode}:"
                 f" {done.stderr.strip()}")
    rows = csv.reader(io.StringIO(done.stdout))
    column = {name: i for i, name in enumerate(next(rows))}
    body, scale = column["body"], column["time_scale"]
    wanted = {name: [] for name, _, _ in UT_BODIES}
    for row in rows:
        if row[body] in wanted:
            wanted[row[body]].append(row)
    expected = "ut" if ut else "tt"
    if (any(len(picked) != len(dates) for picked in wanted.values())
            or any(row[scale] != expected for picked in wanted.values() for row in picked)):
        sys.exit(f"expected {len(dates)} {expected} rows per body from {' '.join(command)}")

    def values(picked, name):
        return np.array([float(row[column[name]]) for row in picked])

    result = {name: (values(picked, "ra_h") * HOUR_TO_RAD, values(picked, "dec_deg") * DEGREE_TO_RAD)
              for name, picked in wanted.items()}
    first = wanted[UT_BODIES[0][0]]
    result["jd"] = values(first, "jd")
    result["delta_t"] = values(first, "delta_t_s")
    return result


# ---------------------------------------------------------------- reference

def reference(tt):
    """ERFA positions for an array of Julian Days in TT.

    Returns a dict: per printed body name (right ascension and declination in
    radians, distance in AU or, for the Moon, thousands of km), plus
    'illumination' (percent).
    """
    d1 = np.full_like(tt, 2451545.0)
    d2 = tt - d1
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")      # ERFA warns about dates far from 2000
        earth = erfa.epv00(d1, d2)[0]["p"]
        moon = erfa.moon98(d1, d2)["p"]
        precession = erfa.pmat06(d1, d2)
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
    return ref


def reference_sidereal(ut):
    """Greenwich mean sidereal time (gmst06), in seconds of time, for Julian Days in UT.

    TT, which gmst06 needs for its precession part, is UT + delta_t().
    """
    d1 = np.full_like(ut, 2451545.0)
    d2 = ut - d1
    tt = d2 + delta_t(year_of(ut)) / SECONDS_PER_DAY
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        return erfa.gmst06(d1, d2, d1, tt) * RAD_TO_SECOND_OF_TIME


# ---------------------------------------------------------------- comparison

JD_TOLERANCE = 6e-5             # days; the report's header shows 11 significant digits


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
    check_jd(dates, np.array([r["jd"] for r in reports]), jd)

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
    errors["sidereal"] = wrap(sidereal - reference_sidereal(jd), 86400.0 * SECOND_OF_TIME)
    return errors


def check_jd(dates, printed, expected):
    """Stop if a printed Julian Day is not the tool's own conversion of the date."""
    wrong = np.abs(printed - expected) > JD_TOLERANCE
    if wrong.any():
        i = int(np.argmax(wrong))
        sys.exit(f"date {dates[i]} printed Julian Day {printed[i]}, expected {expected[i]}")


def compare_ut(exe, jd):
    """Take the Julian Days as UT; return the program's errors with and without --ut.

    Returns a dict: per English body name in UT_BODIES, a dict with 'tt'
    (run without --ut, the date taken as TT) and 'ut' (run with --ut), both
    arrays of the angle to the reference at TT = UT + delta_t(), in arcsec;
    plus 'delta_t' and 'program_delta_t', the reference's and the program's
    Delta T in seconds.
    """
    dates = [program_date(float(x)) for x in jd]
    runs = {"tt": run_csv(exe, dates, ut=False), "ut": run_csv(exe, dates, ut=True)}
    for run in runs.values():
        check_jd(dates, run["jd"], jd)
    reference_delta_t = delta_t(year_of(jd))
    ref = reference(jd + reference_delta_t / SECONDS_PER_DAY)
    errors = {"delta_t": reference_delta_t, "program_delta_t": runs["ut"]["delta_t"]}
    for name, english, printed_name in UT_BODIES:
        ref_ra, ref_dec, _ = ref[printed_name]
        errors[english] = {key: erfa.seps(*run[name], ref_ra, ref_dec) * RAD_TO_ARCSEC
                           for key, run in runs.items()}
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


def ut_table(jd, errors):
    """Markdown table: per UT_STEP years, both Delta T and the errors with and without --ut."""
    def cell(values):
        return f"{max_abs(values) / ARCSEC:.0f}″ ({rms(values) / ARCSEC:.0f}″)"

    def span(values, sign=""):
        text = f"{values.min():{sign}.0f} to {values.max():{sign}.0f} s"
        return text.replace("-", "−")

    rows = ["| Years | ΔT of the table | program's ΔT − table's"
            + "".join(f" | {english}, without `--ut` | {english}, with `--ut`"
                      for _, english, _ in UT_BODIES) + " |",
            "|---|--:|--:|" + "--:|" * 2 * len(UT_BODIES)]
    for start in range(UT_SPAN[0], UT_SPAN[1], UT_STEP):
        inside = (jd >= new_year(start)) & (jd < new_year(start + UT_STEP))
        table = errors["delta_t"][inside]
        difference = errors["program_delta_t"][inside] - table
        cells = [f"{start}–{start + UT_STEP}", span(table), span(difference, "+")]
        for _, english, _ in UT_BODIES:
            cells += [cell(errors[english][key][inside]) for key in ("tt", "ut")]
        rows.append("| " + " | ".join(cells) + " |")
    return "\n".join(rows)


UT_COLOURS = {"tt": ("tab:orange", "without --ut (the date taken as TT)"),
              "ut": ("tab:blue", "with --ut (TT = UT + the program's ΔT)")}


def plot_ut(path, jd, errors):
    """Moon and Sun: angle to the reference against year, with and without --ut, log scale."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import matplotlib.ticker

    years = year_of(jd)
    edges = np.arange(UT_SPAN[0], UT_SPAN[1] + 1, 20)
    bins = np.digitize(years, edges)
    figure, axes = plt.subplots(1, len(UT_BODIES), figsize=(12, 5.6), sharex=True,
                                sharey=True, constrained_layout=True)
    for axis, (_, english, _) in zip(axes, UT_BODIES):
        for key, (colour, _) in UT_COLOURS.items():
            axis.scatter(years, errors[english][key] / ARCSEC, s=0.6, color=colour,
                         alpha=0.3, linewidths=0, rasterized=True)
        for key, (colour, label) in UT_COLOURS.items():
            sep = errors[english][key] / ARCSEC
            envelope = [sep[bins == k].max() for k in range(1, len(edges))]
            axis.step(edges[:-1], envelope, where="post", color=colour, linewidth=1.6,
                      label=label)
        expected = np.abs(errors["delta_t"]) * MEAN_MOTION[english] / ARCSEC
        axis.plot(years, expected, color="black", linewidth=1, linestyle="--",
                  label="|ΔT| × the mean motion (" + ", ".join(
                      f"{name} {motion / ARCSEC:.2g}″/s" for name, motion in MEAN_MOTION.items())
                  + ")")
        axis.set_yscale("log")
        axis.set_ylim(0.1, 3000)
        axis.set_xlim(*UT_SPAN)
        axis.set_title(english)
        axis.set_xlabel("year (dates given in UT)")
        axis.grid(True, which="major", linewidth=0.3)
    axes[0].set_ylabel("angle to the reference (arcsec)")
    axes[0].yaxis.set_major_formatter(matplotlib.ticker.FuncFormatter(lambda y, _: f"{y:g}″"))
    figure.get_layout_engine().set(rect=(0, 0.1, 1, 0.9))     # room for the legend below
    figure.legend(*axes[0].get_legend_handles_labels(), loc="lower center", ncol=3,
                  fontsize=9, title="dots: single dates; lines: largest per 20 years")
    figure.suptitle("Dates given in Universal Time: the program against the reference at "
                    "TT = UT + ΔT (published values)")
    figure.savefig(path, dpi=80, metadata={"Software": None})
    plt.close(figure)


# Other tools of tools/accuracy measure what is computed from the positions
# (what an observer sees, the events of the year, how bright each body is)
# and write their own section of the page between these markers; rewriting
# the page keeps them, in the order they stand.
SECTION = re.compile(r"<!-- section: (\S+) -->\n.*?<!-- end: \1 -->\n", re.S)


def kept_sections(page):
    """The marked sections of the existing page, each preceded by a blank line."""
    if not page.exists():
        return ""
    return "".join("\n" + m.group(0) for m in SECTION.finditer(page.read_text()))


def write_section(page, name, body):
    """Put `body` (Markdown) in the section `name` of the page, in place if
    the section is there, else at the end."""
    block = f"<!-- section: {name} -->\n{body.rstrip()}\n<!-- end: {name} -->\n"
    text = page.read_text()
    pattern = re.compile(rf"<!-- section: {re.escape(name)} -->\n.*?<!-- end: {re.escape(name)} -->\n",
                         re.S)
    if pattern.search(text):
        text = pattern.sub(lambda _: block, text)
    else:
        text = text.rstrip("\n") + "\n\n" + block
    page.write_text(text)


def probe_main(doc, probe, check, report, picture):
    """The command line of the tools that read the library through a probe
    of their own (observer.py, appearance.py, events.py): --check runs
    check(probe) against its bounds, otherwise report(probe, out) writes the
    tool's section of out/accuracy.md and out/PICTURE."""
    parser = argparse.ArgumentParser(description=doc.split("\n")[0])
    parser.add_argument("--probe", default=REPO / "build" / "dev" / "tools" / "accuracy" / probe,
                        type=pathlib.Path, help=f"the library's probe, {probe}")
    parser.add_argument("--check", action="store_true",
                        help="check fixed dates against the bounds and exit")
    parser.add_argument("--out", default=REPO / "docs", type=pathlib.Path,
                        help=f"directory of accuracy.md and {picture}")
    args = parser.parse_args()
    if args.check:
        return check(args.probe)
    report(args.probe, args.out)
    return 0


def report(exe, out):
    """Write out/accuracy.md, out/accuracy.png and out/accuracy_ut.png."""
    jd = sample_dates(WIDE_SPAN, WIDE_DATES, WIDE_SEED)
    errors = compare(exe, jd)
    in_main = (jd >= new_year(MAIN_SPAN[0])) & (jd < new_year(MAIN_SPAN[1] + 1))
    main_errors = select(errors, in_main)
    ut_jd = sample_dates(UT_SPAN, UT_DATES, UT_SEED)
    ut_errors = compare_ut(exe, ut_jd)
    out.mkdir(parents=True, exist_ok=True)
    plot(out / "accuracy.png", jd, errors)
    plot_ut(out / "accuracy_ut.png", ut_jd, ut_errors)
    text = DOCUMENT.format(
        main_dates=int(in_main.sum()), wide_dates=len(jd),
        body_table=body_table(main_errors),
        others_table=others_table(main_errors),
        wide_table=wide_table(main_errors, errors, jd),
        ut_dates=len(ut_jd), ut_table=ut_table(ut_jd, ut_errors),
        bounds_table=bounds_table(), check_dates=CHECK_DATES)
    (out / "accuracy.md").write_text(text + kept_sections(out / "accuracy.md"))


DOCUMENT = """\
# How far to trust the printed positions

The program computes its positions from mean orbital elements and short
trigonometric series, and prints every field cut rather than rounded. This page
measures the printed figures against an independent model: {main_dates} instants
between 1800 and 2200 for the table, and {wide_dates} instants between 1000 and
3000 for the first picture and for orientation. A last section shows what the
difference between Universal Time and Terrestrial Time does to the Moon and the
Sun, with and without `--ut`. The page and the pictures are written by
`tools/accuracy/accuracy.py`; see [Reproducing](#reproducing).

In short, for 1800 to 2200: the Sun, the Moon and Mercury are within about an
arcminute, not far above the half arcminute that the printed precision alone
allows; Venus, Uranus and Neptune are within two arcminutes, Jupiter within two
and a half, Saturn within four; Mars is the weak point, off by up to seven
arcminutes near close oppositions. Distances are good to a few parts in ten
thousand (Mars: 1.4 in a thousand), the Moon's illuminated percentage to its
last printed digit, the sidereal time to its printed second. All this is for
dates meant as the program means them without `--ut`; a clock time is Universal
Time, and typed as it is it puts the Moon 35″ off in 2000 and over 10′ off
around 1000, an offset that `--ut` takes away
([Dates in Universal Time](#dates-in-universal-time)).

## What is compared

- **Reference.** ERFA, the open re-implementation of the IAU's SOFA routines
  (Debian's `python3-erfa`). The Earth comes from `epv00` (a short form of
  VSOP2000), the planets from `plan94` (Simon et al. 1994) minus the Earth,
  the Sun from minus the Earth, the Moon from `moon98` (Meeus' series from
  ELP-2000/82). Every vector is turned from the J2000 frame to the mean
  equator and equinox of the date with `pmat06` (IAU 2006 precession).
- **Same kind of position.** Like the program's, the reference positions are
  geometric and geocentric: no light-time, no aberration, no nutation.
- **Time scales.** The dates are typed in the dialogue, without `--ut`, and
  compared as the program means them: the positions at Terrestrial Time (TT)
  equal to the date, the sidereal time at Universal Time (UT) equal to the
  date. So ΔT = TT − UT plays no part in the positions here; the last section
  shows what it does to dates meant as UT.
- **Moon illumination** of the reference: k = (1 + cos i) / 2, with i the
  angle at the Moon between the Sun and the Earth, from the vectors above.
- **Sidereal time** of the reference: Greenwich mean sidereal time, `gmst06`,
  at UT1 = the date and TT = UT1 + ΔT, with ΔT from the published values of the
  last section (TT only enters its slow precession part: even the 26 minutes of
  ΔT around 1000 move it by less than a millisecond).
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
  runs 0.08 s behind `gmst06` in 2000 and drifts by about 0.065 s per century,
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

## Dates in Universal Time

A clock gives Universal Time (UT), the time of the Earth's turning, while the
orbits run in Terrestrial Time (TT); they differ by ΔT = TT − UT, which is not
a formula but a measurement: about 64 s in 2000 and 1570 s around 1000. Without
`--ut` the program takes a date as TT for the positions, so a clock time typed
as it is gives the bodies where they stood ΔT earlier. With `--ut` it takes the
date as UT and computes the positions at TT = UT + ΔT, ΔT from the polynomials
of Espenak and Meeus.

Here {ut_dates} instants between 1000 and 2200 are taken as UT. The reference
Moon and Sun are those of the sections above at TT = UT + ΔT, with ΔT
interpolated in published values that owe nothing to the program: Morrison and
Stephenson (2004) as tabulated by Espenak, every 100 years from 1000 to 1700
and every 50 years to 1950; observed values every 5 years from 1955 to 2020;
beyond that, points every 50 years from 2100 on Morrison and Stephenson's
long-term parabola ΔT = −20 + 32u² s, u = (year − 1820)/100. Between the points
ΔT is the cubic through the four nearest. The program runs twice on the same
dates, without and with `--ut`, with `--format csv`, whose values are not cut,
so there is no print floor here: the figures are the angle between the
program's and the reference direction, largest and (in brackets) RMS.

{ut_table}

![Moon and Sun, dates in UT, error against year with and without --ut](accuracy_ut.png)

- **The Moon without `--ut`** is behind by ΔT times its motion, about 0.55″
  per second of ΔT: 35″ in 2000, 14′ around 1000, and 4′ by 2200 if ΔT grows
  as predicted. The largest error near 1000 is about 13′ rather than 14′
  because the Moon's own error there (up to 3.5′, see
  [1000 to 3000](#1000-to-3000)) lies ahead of the reference and takes part
  of the lag back. From 1600 to 1800, where ΔT is under two minutes, the lag
  and that lead are of the same size and partly cancel, so the two runs are
  alike there and the RMS without `--ut` is even a little lower: a
  coincidence of signs, not a merit. Elsewhere the error without `--ut` is
  the larger by far.
- **The Moon with `--ut`** is left with its own error, the same as at TT
  (growing from 15″ in 1800–2000 to 3.5′ by 1000), plus the difference
  between the two ΔT times 0.55″/s. The program's ΔT is a fit to the same
  historical values, so the two agree within 8 s up to 1900 (4″ of the
  Moon). Between 1900 and 1950 the table has only its two ends, and the
  cubic through them misses the quick rise of ΔT in the 1910s and 1920s that
  the program's polynomials follow, hence the 12 s. After 2020
  both are predictions, the table's from the parabola alone, the program's
  joined to the present rate; they part by up to half a minute around 2100,
  the bump of 20″ to 25″ in the picture.
- **What this does not show** is how well ΔT itself is known. The program's
  ΔT and the table agree because they come from the same observations, so the
  section shows the effect of ΔT, not its uncertainty. Morrison and
  Stephenson give that as about 55 s around 1000 and 20 s around 1500 (half an
  arcminute and 11″ of the Moon) and a few seconds from 1700; the future ΔT is
  not known at all, as the two predictions above show.
- **The Sun** moves 0.041″ per second, thirteen times slower: ΔT takes it
  about 1′ off around 1000 and 2.6″ in 2000. From about 1500 on that is
  below its own error of up to half an arcminute, so there `--ut` changes
  little; before, it takes the largest error from 1.4′ down to the Sun's own.

The picture shows the same: each dot is one instant, orange without `--ut`,
blue with it, the lines the largest error in each 20 years, on a logarithmic
scale; the dashed line is ΔT times the mean motion, which the orange dots
follow wherever ΔT is large (the Moon's a little below it before 1600, where
its own lead takes part of the lag back).

## Reproducing

From the repository root, after building the program:

```
cmake --preset default && cmake --build --preset default
/usr/bin/python3 tools/accuracy/accuracy.py --exe build/default/ephemerides --out docs
```

It rewrites `docs/accuracy.md`, `docs/accuracy.png` and `docs/accuracy_ut.png`
in about 20 seconds. It needs Debian's `python3-erfa`, `python3-numpy` and
`python3-matplotlib`, which load under `/usr/bin/python3`.

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
                        help="directory for accuracy.md, accuracy.png and accuracy_ut.png")
    args = parser.parse_args()
    if args.check:
        return check(args.exe)
    report(args.exe, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
