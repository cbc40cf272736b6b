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

import erfa
import numpy as np

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

BODIES = ("Soleil", "Lune", "Mercure", "Venus", "Mars",
          "Jupiter", "Saturne", "Uranus", "Neptune")
ENGLISH = ("Sun", "Moon", "Mercury", "Venus", "Mars",
           "Jupiter", "Saturn", "Uranus", "Neptune")
PLAN94_NUMBER = {"Mercure": 1, "Venus": 2, "Mars": 4, "Jupiter": 5,
                 "Saturne": 6, "Uranus": 7, "Neptune": 8}

# Check mode: bounds on the largest error over its fixed dates, set a little
# above what the program measured there (see docs/accuracy.md).
CHECK_SPAN = (1800, 2200)
CHECK_DATES = 400
CHECK_SEED = 6
CHECK_BOUNDS = {
    # body: (angular separation, relative distance)
    "Soleil":  (1.0 * ARCMIN, 100 * PPM),
    "Lune":    (1.0 * ARCMIN, 100 * PPM),
    "Mercure": (1.0 * ARCMIN, 100 * PPM),
    "Venus":   (1.0 * ARCMIN, 100 * PPM),
    "Mars":    (1.0 * ARCMIN, 100 * PPM),
    "Jupiter": (1.0 * ARCMIN, 100 * PPM),
    "Saturne": (1.0 * ARCMIN, 100 * PPM),
    "Uranus":  (1.0 * ARCMIN, 100 * PPM),
    "Neptune": (1.0 * ARCMIN, 100 * PPM),
}
CHECK_ILLUMINATION = 1.0 * PERCENT_POINT
CHECK_SIDEREAL_TIME = 1.0 * SECOND_OF_TIME

# Report mode: the span of the table and the wider span shown for orientation.
MAIN_SPAN, MAIN_DATES, MAIN_SEED = (1800, 2200), 20000, 1800
WIDE_SPAN, WIDE_DATES, WIDE_SEED = (1000, 3000), 20000, 1000

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


def sample_dates(span, count, seed):
    """Sorted pseudo-random Julian Days over whole years, times on the 1/256 day grid."""
    first, last = new_year(span[0]), new_year(span[1] + 1)
    jd = first + np.random.default_rng(seed).random(count) * (last - first)
    jd = np.floor((jd - 0.5) * STEPS_PER_DAY) / STEPS_PER_DAY + 0.5
    return np.sort(jd)


def new_year(year):
    """Julian Day of 1 January, 0h, of a year in the program's calendar."""
    if year <= 1582:
        return JULIAN_EPOCH_JD + 365 * (year - 1) + (year - 1) // 4
    first = erfa.cal2jd(year, 1, 1)
    return float(first[0] + first[1])


# ---------------------------------------------------------------- the program

HEADER = re.compile(
    r"(?P<day>\S+)/(?P<month>-?\d+)/(?P<year>-?\d+)  \(Jour Julien : (?P<jd>\S+)\)"
    r"  \(Temps siderale : (?P<h>[ \d]\d)h (?P<m>[ \d]\d)m (?P<s>[ \d]\d)s\)$")
ROW = re.compile(
    r" (?P<name>\S+) *    (?P<h>[ \d]\d)h (?P<m>[ \d]\d)m (?P<s>[ \d]\d)s"
    r"       (?P<sign>[ -])(?P<deg>[ \d]\d) deg (?P<min>[ \d]\d)'"
    r"     *(?P<dist>[\d.]+)(?:      (?P<illum>\d+)%)?$")
PROMPTS = "Jour : Mois : Annee : "


def run_program(exe, dates):
    """Type all dates into one run of the program; return its parsed reports.

    Each report is a dict: 'jd', 'sidereal' (seconds of time, cut interval
    centre) and, per body name, (ra seconds of time, dec arcsec, distance,
    illumination percent or None), all as interval centres.
    """
    typed = "".join(f"{day!r} {month} {year}\n" for year, month, day in dates)
    done = subprocess.run([str(exe)], input=typed, capture_output=True,
                          text=True, timeout=600)
    if done.returncode != 0:
        sys.exit(f"{exe} exited with status {done.returncode}: {done.stderr.strip()}")
    if not done.stdout.startswith("Version 2.2\n\n"):
        sys.exit(f"unexpected start of output: {done.stdout[:40]!r}")
    chunks = done.stdout[len("Version 2.2\n\n"):].split(PROMPTS)
    if chunks[0] != "" or chunks[-1] != "" or len(chunks) != len(dates) + 2:
        sys.exit(f"expected {len(dates)} reports, got {len(chunks) - 2}")
    return [parse_report(chunk) for chunk in chunks[1:-1]]


def parse_report(text):
    lines = text.split("\n")
    header = HEADER.match(lines[0])
    if header is None or len(lines) != 15 or lines[13:] != ["", ""]:
        sys.exit(f"cannot read report:\n{text}")
    report = {
        "jd": float(header["jd"]),
        "sidereal": hms_centre(header),
    }
    for line, name in zip(lines[4:13], BODIES):
        row = ROW.match(line)
        if row is None or row["name"] != name:
            sys.exit(f"cannot read the {name} row: {line!r}")
        dec_centre = (int(row["deg"]) * DEGREE + (int(row["min"]) + 0.5) * ARCMIN)
        illum = None
        if row["illum"] is not None:
            illum = min(int(row["illum"]) + 0.5, 100.0)
        report[name] = (hms_centre(row),
                        -dec_centre if row["sign"] == "-" else dec_centre,
                        float(row["dist"]) + 0.00005,
                        illum)
    return report


def hms_centre(match):
    return int(match["h"]) * 3600 + int(match["m"]) * 60 + int(match["s"]) + 0.5


# ---------------------------------------------------------------- reference

def reference(jd):
    """ERFA positions for an array of Julian Days (taken as TT and as UT).

    Returns a dict: per body name (ra rad, dec rad, distance in AU or, for the
    Moon, thousands of km), plus 'illumination' (percent) and 'sidereal'
    (seconds of time).
    """
    d1 = np.full_like(jd, 2451545.0)
    d2 = jd - d1
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")      # plan94 warns outside 1000-3000
        earth = erfa.epv00(d1, d2)[0]["p"]
        planets = {name: erfa.plan94(d1, d2, number)["p"]
                   for name, number in PLAN94_NUMBER.items()}
        moon = erfa.moon98(d1, d2)["p"]
        precession = erfa.pmat06(d1, d2)
        gmst = erfa.gmst06(d1, d2, d1, d2)

    def of_date(vector):
        ra, dec = erfa.c2s(erfa.rxp(precession, vector))
        return ra, dec, np.linalg.norm(vector, axis=-1)

    sun = -earth
    ref = {"Soleil": of_date(sun)}
    ra, dec, distance = of_date(moon)
    ref["Lune"] = (ra, dec, distance * AU_KM / 1000.0)
    for name, heliocentric in planets.items():
        ref[name] = of_date(heliocentric - earth)
    to_sun, to_earth = sun - moon, -moon
    cos_phase = (np.sum(to_sun * to_earth, axis=-1)
                 / np.linalg.norm(to_sun, axis=-1) / np.linalg.norm(to_earth, axis=-1))
    ref["illumination"] = 100.0 * (1.0 + cos_phase) / 2.0
    ref["sidereal"] = gmst * RAD_TO_SECOND_OF_TIME
    return ref


# ---------------------------------------------------------------- comparison

def wrap(value, turn):
    """Bring a difference into [-turn/2, turn/2)."""
    return (value + turn / 2) % turn - turn / 2


def compare(exe, jd):
    """Run the program on the given Julian Days; return per-quantity error arrays."""
    dates = [program_date(float(x)) for x in jd]
    reports = run_program(exe, dates)
    printed_jd = np.array([r["jd"] for r in reports])
    bad = np.abs(printed_jd - jd) > 6e-5     # 11 significant digits: 1e-4 day
    if bad.any():
        i = int(np.argmax(bad))
        sys.exit(f"date {dates[i]} printed Julian Day {printed_jd[i]}, expected {jd[i]}")

    ref = reference(jd)
    errors = {}
    for name in BODIES:
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
    illum = np.array([r["Lune"][3] for r in reports])
    errors["illumination"] = illum - ref["illumination"]
    sidereal = np.array([r["sidereal"] for r in reports])
    errors["sidereal"] = wrap(sidereal - ref["sidereal"], 86400.0)
    return errors


def max_abs(values):
    return float(np.max(np.abs(values)))


def rms(values):
    return float(np.sqrt(np.mean(np.square(values))))


# ---------------------------------------------------------------- check mode

def check(exe):
    jd = sample_dates(CHECK_SPAN, CHECK_DATES, CHECK_SEED)
    errors = compare(exe, jd)
    failures = []
    for name, (sep_bound, dist_bound) in CHECK_BOUNDS.items():
        sep, dist = max_abs(errors[name]["sep"]), max_abs(errors[name]["dist"])
        print(f"{name:8} separation {sep / ARCSEC:7.1f} arcsec (bound {sep_bound / ARCSEC:6.1f})"
              f"   distance {dist / PPM:7.1f} ppm (bound {dist_bound / PPM:6.1f})")
        if sep > sep_bound:
            failures.append(f"{name}: separation {sep / ARCSEC:.1f} arcsec "
                            f"exceeds {sep_bound / ARCSEC:.1f} arcsec")
        if dist > dist_bound:
            failures.append(f"{name}: distance error {dist / PPM:.1f} ppm "
                            f"exceeds {dist_bound / PPM:.1f} ppm")
    for label, key, bound, unit_name, unit in (
            ("illumination", "illumination", CHECK_ILLUMINATION, "percentage points", PERCENT_POINT),
            ("sidereal time", "sidereal", CHECK_SIDEREAL_TIME, "s", SECOND_OF_TIME)):
        worst = max_abs(errors[key])
        print(f"{label:13} {worst / unit:6.2f} {unit_name} (bound {bound / unit:.2f})")
        if worst > bound:
            failures.append(f"{label}: {worst / unit:.2f} {unit_name} exceeds {bound / unit:.2f}")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


# ---------------------------------------------------------------- report mode

def body_table(errors):
    """Markdown rows: per body max and RMS of each error, angles in arcsec."""
    rows = ["| Body | RA max | RA RMS | Dec max | Dec RMS | Separation max | Separation RMS"
            " | Distance max | Distance RMS |",
            "|---|--:|--:|--:|--:|--:|--:|--:|--:|"]
    for name, english in zip(BODIES, ENGLISH):
        e = errors[name]
        cells = [f"{f(e[key]) / ARCSEC:.0f}″" for key in ("ra", "dec", "sep") for f in (max_abs, rms)]
        cells += [f"{f(e['dist']) / PPM:.0f} ppm" for f in (max_abs, rms)]
        rows.append(f"| {english} | " + " | ".join(cells) + " |")
    return "\n".join(rows)


def other_table(errors):
    rows = ["| Quantity | max | RMS |", "|---|--:|--:|"]
    for label, key, unit, unit_name in (
            ("Moon illumination", "illumination", PERCENT_POINT, " points"),
            ("Sidereal time", "sidereal", SECOND_OF_TIME, " s")):
        rows.append(f"| {label} | {max_abs(errors[key]) / unit:.2f}{unit_name}"
                    f" | {rms(errors[key]) / unit:.2f}{unit_name} |")
    return "\n".join(rows)


def wide_table(main_errors, wide_errors, wide_jd):
    """Largest separation per body: 1800-2200 against 1000-3000, and where it occurs."""
    years = year_of(wide_jd)
    rows = ["| Body | max 1800–2200 | max 1000–3000 | year of the 1000–3000 max |",
            "|---|--:|--:|--:|"]
    for name, english in zip(BODIES, ENGLISH):
        sep = wide_errors[name]["sep"]
        rows.append(f"| {english} | {max_abs(main_errors[name]['sep']) / ARCSEC:.0f}″"
                    f" | {max_abs(sep) / ARCSEC:.0f}″ | {years[np.argmax(sep)]:.0f} |")
    return "\n".join(rows)


def year_of(jd):
    return 2000.0 + (jd - 2451545.0) / 365.25


def plot(path, main_jd, main_errors, wide_jd, wide_errors):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, axes = plt.subplots(3, 3, figsize=(12, 9), sharex=True, constrained_layout=True)
    for axis, name, english in zip(axes.flat, BODIES, ENGLISH):
        axis.scatter(year_of(wide_jd), wide_errors[name]["sep"] / ARCMIN, s=1,
                     color="0.65", linewidths=0, label="1000–3000")
        axis.scatter(year_of(main_jd), main_errors[name]["sep"] / ARCMIN, s=1,
                     color="tab:blue", linewidths=0, label="1800–2200")
        axis.axhline(PRINT_RESOLUTION / ARCMIN, color="tab:red", linewidth=0.8, linestyle="--")
        axis.set_yscale("log")
        axis.set_title(english)
        axis.grid(True, which="major", linewidth=0.3)
    for axis in axes[:, 0]:
        axis.set_ylabel("error (arcmin)")
    for axis in axes[-1, :]:
        axis.set_xlabel("year")
    figure.suptitle("Angle between printed and reference position; "
                    "dashed: what the cut print fields alone can cause")
    figure.savefig(path, dpi=90)
    plt.close(figure)


# Largest angle the cut fields alone can cause: half a second of time in
# right ascension (7.5 arcsec on the equator) with half an arcminute in declination.
PRINT_RESOLUTION = math.hypot(7.5 * ARCSEC, 0.5 * ARCMIN)


def report(exe, out):
    main_jd = sample_dates(MAIN_SPAN, MAIN_DATES, MAIN_SEED)
    wide_jd = sample_dates(WIDE_SPAN, WIDE_DATES, WIDE_SEED)
    main_errors = compare(exe, main_jd)
    wide_errors = compare(exe, wide_jd)
    out.mkdir(parents=True, exist_ok=True)
    plot(out / "accuracy.png", main_jd, main_errors, wide_jd, wide_errors)
    text = DOCUMENT.format(
        main_dates=MAIN_DATES, wide_dates=WIDE_DATES,
        body_table=body_table(main_errors),
        other_table=other_table(main_errors),
        wide_table=wide_table(main_errors, wide_errors, wide_jd))
    (out / "accuracy.md").write_text(text)


DOCUMENT = """\
# How accurate are the printed positions?

TEXT TO COME

{body_table}

{other_table}

{wide_table}
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
