#!/usr/bin/python3
"""Measure what an observer sees against an independent computation.

The library's almanac (rising, transit and setting of the nine bodies, the
Sun's twilights) and its horizontal positions are read through
observer_probe for random days and places, and computed again here from
ERFA:

  positions  the geocentric vectors of accuracy.py, mean equator and equinox
             of date (epv00, moon98, plan94, pmat06), at TT = UT + Delta T
             with the same Delta T given to the library
  the Earth  gmst06 at UT1 = the day's UT; the observer on the WGS84
             ellipsoid (gd2gc), turned by the sidereal time
  altitude   of the geocentric centre against the same conventional
             altitudes: Sun -50', planets -34', the Moon 0.7275 times its
             horizontal parallax minus 34', the twilights -6, -12 and -18
             degrees; topocentric for the positions, with the same
             refraction formula (Saemundsson, 1010 hPa and 10 C)
  events     found here: the altitude (or hour angle) every ten minutes
             through the day, each change of sign narrowed by bisection to
             0.3 s

epv00, ERFA's slowest routine, is called at nine Chebyshev nodes per day
and interpolated (its vector is smooth to far below a metre over a day);
every other routine is called at each time.

Usage (always with /usr/bin/python3, where ERFA is installed):
  observer.py --probe PATH [--out DIR]   write the section "observer" of
                                         DIR/accuracy.md and DIR/observer.png
  observer.py --check --probe PATH       compare fixed days with the bounds
                                         below; exit status 1 if any is exceeded
"""

import math
import pathlib
import subprocess
import sys
import warnings

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

try:
    import erfa
    import numpy as np
except ImportError as missing:
    print(f"{missing}: install python3-erfa and python3-numpy, run with /usr/bin/python3")
    sys.exit(77)

import accuracy  # noqa: E402  (after the path and the check above)

REPO = HERE.parents[1]
ARCSEC = 1.0
ARCMIN = 60.0 * ARCSEC
DEGREE = 60.0 * ARCMIN
SECOND = 1.0
RAD_TO_ARCSEC = 180.0 * 3600.0 / math.pi
SECONDS_PER_DAY = 86400.0
EARTH_RADIUS_KM = 6378.14

# Bodies as the probe names them: id, English name, accuracy.py's printed
# name (its bounds), plan94 number.
BODIES = tuple((english.lower(), english, printed, number)
               for printed, english, number in accuracy.BODIES)
LEVELS = {"sun": -50 * ARCMIN, "planet": -34 * ARCMIN}
TWILIGHTS = (("civil", -6 * DEGREE), ("nautical", -12 * DEGREE), ("astronomical", -18 * DEGREE))

# The days and places: years, latitudes (degrees), heights (metres). Each day
# begins at the local mean midnight rounded to the hour, in UT.
YEARS = (1900, 2100)
LATITUDES = (-60.0, 60.0)
HEIGHTS = (0.0, 2500.0)
REPORT_DAYS, REPORT_SEED = 2400, 2400
CHECK_DAYS, CHECK_SEED = 240, 24

GRID = 144                      # steps of the reference's scan in a day
BISECTIONS = 11                 # 600 s / 2^11 = 0.3 s
EDGE = 60 * SECOND              # an event this close to the day's ends may fall either side
EARTH_NODES = 9

# Check mode: bounds a little above what was measured on the check days
# (measured: 29.4 s; 0; then the largest altitude or azimuth error per body).
CHECK_BOUNDS = {
    "time": 35 * SECOND,         # any rising, transit, setting or twilight
    "mismatch": 0,               # outcomes that differ away from the day's ends
    "Sun": 30 * ARCSEC,          # 25.6"
    "Moon": 15 * ARCSEC,         # 11.8"
    "Mercury": 45 * ARCSEC,      # 38.2"
    "Venus": 85 * ARCSEC,        # 77.5"
    "Mars": 340 * ARCSEC,        # 316.8"
    "Jupiter": 95 * ARCSEC,      # 85.5"
    "Saturn": 235 * ARCSEC,      # 212.7"
    "Uranus": 55 * ARCSEC,       # 46.2"
    "Neptune": 55 * ARCSEC,      # 45.8"
}
# What an altitude or azimuth may add to the error of the direction it is
# turned from (accuracy.py's bound on it): a hundredth of a degree.
EXTRA = 36 * ARCSEC


# ---------------------------------------------------------------- the library

def run_probe(probe, days):
    """The probe's rows for the days: {(line, body, event): (outcome, jd, second, alt, az)}."""
    typed = "".join(f"{d['start']!r} {d['delta_t']!r} {d['lat']!r} {d['lon']!r}"
                    f" {d['height']!r} {d['instant']!r}\n" for d in days)
    done = subprocess.run([str(probe)], input=typed, capture_output=True, text=True,
                          timeout=600)
    if done.returncode != 0:
        sys.exit(f"{probe} exited with status {done.returncode}: {done.stderr.strip()}")
    rows = {}
    for text in done.stdout.splitlines()[1:]:
        line, body, event, outcome, jd, second, alt, az = text.split(",")
        rows[(int(line), body, event)] = (outcome, float(jd), float(second), float(alt),
                                          float(az))
    return rows


# ---------------------------------------------------------------- reference

def sample_days(count, seed):
    rng = np.random.default_rng(seed)
    first, last = accuracy.new_year(YEARS[0]), accuracy.new_year(YEARS[1] + 1)
    lat = rng.uniform(*LATITUDES, count)
    lon = rng.uniform(-180.0, 180.0, count)
    height = rng.uniform(*HEIGHTS, count)
    midnight = np.floor(first + rng.random(count) * (last - first) - 0.5) + 0.5
    start = midnight - np.round(lon / 15.0) / 24.0
    instant = start + rng.random(count)
    delta_t = accuracy.delta_t(accuracy.year_of(start))
    return [{"start": float(s), "delta_t": float(t), "lat": math.radians(a),
             "lon": math.radians(o), "height": float(h), "instant": float(i)}
            for s, t, a, o, h, i in zip(start, delta_t, lat, lon, height, instant)]


class Earth:
    """epv00's heliocentric Earth over each day, from Chebyshev nodes."""

    def __init__(self, start, delta_t):
        self.start, self.delta_t = start, delta_t
        k = np.arange(EARTH_NODES)
        self.nodes = np.cos(math.pi * (k + 0.5) / EARTH_NODES)          # in [-1, 1]
        # The day and a little on either side: x = 2 (t - start) / 1.2 - 2/3.
        tt = (start[:, None] + 0.6 * (self.nodes[None, :] + 1.0) - 0.1
              + delta_t[:, None] / SECONDS_PER_DAY)
        d1 = np.full_like(tt, 2451545.0)
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            p = erfa.epv00(d1, tt - d1)[0]["p"]                          # (days, nodes, 3)
        basis = np.polynomial.chebyshev.chebvander(self.nodes, EARTH_NODES - 1)
        self.coefficients = np.einsum("jk,dkc->djc", np.linalg.inv(basis), p)

    def at(self, index, fraction):
        """The Earth for days `index` at fractions of the day from their start (UT)."""
        x = (fraction + 0.1) / 0.6 - 1.0
        basis = np.polynomial.chebyshev.chebvander(x, EARTH_NODES - 1)  # (n, nodes)
        return np.einsum("nj,njc->nc", basis, self.coefficients[index])


def geocentric(number, earth, index, fraction):
    """Geocentric vectors (km), mean of date, of one body (plan94 number, 'sun' or
    'moon') for days `index` at fractions of the day (UT)."""
    ut = earth.start[index] + fraction
    tt = ut + earth.delta_t[index] / SECONDS_PER_DAY
    d1 = np.full_like(tt, 2451545.0)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        if number == "moon":
            vector = erfa.moon98(d1, tt - d1)["p"]
        elif number == "sun":
            vector = -earth.at(index, fraction)
        else:
            vector = erfa.plan94(d1, tt - d1, number)["p"] - earth.at(index, fraction)
        return erfa.rxp(erfa.pmat06(d1, tt - d1), vector) * accuracy.AU_KM


def sidereal(earth, index, fraction):
    ut = earth.start[index] + fraction
    tt = ut + earth.delta_t[index] / SECONDS_PER_DAY
    d1 = np.full_like(ut, 2451545.0)
    return erfa.gmst06(d1, ut - d1, d1, tt - d1)


def local_frame(theta, lat):
    """Unit vectors toward the zenith, north and east (arrays of shape (n, 3))."""
    c, s = np.cos(theta), np.sin(theta)
    up = np.stack([np.cos(lat) * c, np.cos(lat) * s, np.sin(lat)], axis=-1)
    north = np.stack([-np.sin(lat) * c, -np.sin(lat) * s, np.cos(lat)], axis=-1)
    east = np.stack([-s, c, np.zeros_like(s)], axis=-1)
    return up, north, east


def refraction(h):
    """Saemundsson's refraction (radians) at true altitudes h (radians), as the library:
    the formula down to -1 degree, then faded by a smoothstep to nothing at -3 degrees."""
    degrees = np.degrees(h)
    held = np.maximum(degrees, -1.0)
    arcmin = 1.02 / np.tan(np.radians(held + 10.3 / (held + 5.11)))
    x = np.clip((degrees + 3.0) / 2.0, 0.0, 1.0)
    return np.radians(np.maximum(arcmin, 0.0) / 60.0) * x * x * (3.0 - 2.0 * x)


class Scene:
    """The reference quantities of one body for the days and places."""

    def __init__(self, body, number, earth, lat, lon):
        self.body, self.number, self.earth, self.lat, self.lon = body, number, earth, lat, lon

    def altitude(self, index, fraction, level):
        """Geocentric altitude minus the conventional one (radians); `level` in
        arcsec, None for the Moon's."""
        v = geocentric(self.number, self.earth, index, fraction)
        theta = sidereal(self.earth, index, fraction) + self.lon[index]
        up, _, _ = local_frame(theta, self.lat[index])
        r = np.linalg.norm(v, axis=-1)
        h = np.arcsin(np.sum(up * v, axis=-1) / r)
        if level is None:
            return h - (0.7275 * np.arcsin(EARTH_RADIUS_KM / r) - math.radians(34 / 60))
        return h - level / RAD_TO_ARCSEC

    def hour_angle(self, index, fraction):
        v = geocentric(self.number, self.earth, index, fraction)
        theta = sidereal(self.earth, index, fraction) + self.lon[index]
        return accuracy.wrap(theta - np.arctan2(v[:, 1], v[:, 0]), 2 * math.pi)


def narrow(function, index, lo, hi, rising):
    """Bisection of sign changes of function(index, fraction) in [lo, hi]."""
    for _ in range(BISECTIONS):
        middle = (lo + hi) / 2
        above = function(index, middle) > 0
        past = above == rising                  # the crossing lies before the middle
        hi = np.where(past, middle, hi)
        lo = np.where(past, lo, middle)
    return (lo + hi) / 2


def reference_events(scene, count, level):
    """Per day: (rises, sets, above, below) in day fractions; the first three of each."""
    index = np.repeat(np.arange(count), GRID + 1)
    fraction = np.tile(np.arange(GRID + 1) / GRID, count)
    f = scene.altitude(index, fraction, level).reshape(count, GRID + 1)
    above = f > 0
    change = above[:, 1:] != above[:, :-1]
    day, step = np.nonzero(change)
    rising = above[day, step + 1]
    times = narrow(lambda i, t: scene.altitude(i, t, level), day, step / GRID,
                   (step + 1) / GRID, rising)
    result = [([], [], bool(above[d].any()), bool((~above[d]).any())) for d in range(count)]
    for d, t, up in zip(day, times, rising):
        result[d][0 if up else 1].append(float(t))
    return result


def reference_transits(scene, count):
    index = np.repeat(np.arange(count), GRID + 1)
    fraction = np.tile(np.arange(GRID + 1) / GRID, count)
    h = scene.hour_angle(index, fraction).reshape(count, GRID + 1)
    day, step = np.nonzero((h[:, :-1] < 0) & (h[:, 1:] >= 0) & (h[:, 1:] - h[:, :-1] < 1))
    times = narrow(scene.hour_angle, day, step / GRID, (step + 1) / GRID,
                   np.ones_like(day, dtype=bool))
    result = [[] for _ in range(count)]
    for d, t in zip(day, times):
        result[d].append(float(t))
    return result


def reference_seen(scene, days, refracted):
    """Topocentric altitude and azimuth (radians) at each day's instant."""
    count = len(days)
    index = np.arange(count)
    fraction = np.array([d["instant"] - d["start"] for d in days])
    v = geocentric(scene.number, scene.earth, index, fraction)
    theta_g = sidereal(scene.earth, index, fraction)
    height = np.array([d["height"] for d in days])
    site = erfa.gd2gc(1, scene.lon, scene.lat, height) / 1000.0        # km, terrestrial
    c, s = np.cos(theta_g), np.sin(theta_g)
    observer = np.stack([site[:, 0] * c - site[:, 1] * s, site[:, 0] * s + site[:, 1] * c,
                         site[:, 2]], axis=-1)
    up, north, east = local_frame(theta_g + scene.lon, scene.lat)
    topo = v - observer
    u, n, e = (np.sum(topo * axis, axis=-1) for axis in (up, north, east))
    altitude = np.arctan2(u, np.hypot(n, e))
    if refracted:
        altitude = altitude + refraction(altitude)
    return altitude, np.mod(np.arctan2(e, n), 2 * math.pi)


# ---------------------------------------------------------------- comparison

def compare(probe, days):
    """Errors of the library against the reference for the days.

    Returns a dict: 'times' {(body or twilight, event): list of seconds, library
    minus reference}, 'outcomes' counts ('same', 'edge', 'mismatch') and the list
    of mismatches, 'seen' {body: (altitude errors, azimuth errors on the sky)} in
    arcsec over both refraction settings.
    """
    rows = run_probe(probe, days)
    count = len(days)
    start = np.array([d["start"] for d in days])
    delta_t = np.array([d["delta_t"] for d in days])
    lat = np.array([d["lat"] for d in days])
    lon = np.array([d["lon"] for d in days])
    earth = Earth(start, delta_t)
    result = {"times": {}, "outcomes": {"same": 0, "edge": 0, "mismatch": 0},
              "mismatches": [], "seen": {}, "latitude": {}}

    def near_edge(fractions):
        return any(t * SECONDS_PER_DAY < EDGE or (1 - t) * SECONDS_PER_DAY < EDGE
                   for t in fractions)

    def library(line, body, event):
        outcome, jd, second, _, _ = rows[(line, body, event)]
        times = [] if outcome != "occurs" else [jd - start[line]] + (
            [] if math.isnan(second) else [second - start[line]])
        return outcome, times

    def tally(key, line, body, event, reference_times, reference_outcome, crossings):
        outcome, times = library(line, body, event)
        ref = reference_times[:2]
        errors = result["times"].setdefault(key, [])
        lats = result["latitude"].setdefault(key, [])
        # Each of the library's times with the reference's nearest, within an
        # hour; what is left over on either side must lie at the day's ends.
        unmatched = list(ref)
        extra = []
        for mine in times:
            nearest = min(unmatched, key=lambda theirs: abs(theirs - mine), default=None)
            if nearest is None or abs(nearest - mine) > 1 / 24:
                extra.append(mine)
                continue
            unmatched.remove(nearest)
            errors.append((mine - nearest) * SECONDS_PER_DAY)
            lats.append(math.degrees(lat[line]))
        if not extra and not unmatched and (times or outcome == reference_outcome):
            result["outcomes"]["same"] += 1
        elif near_edge(extra + unmatched + crossings):
            result["outcomes"]["edge"] += 1
        else:
            result["outcomes"]["mismatch"] += 1
            result["mismatches"].append((line, body, event, outcome, times, reference_outcome,
                                         ref))

    def without(above, below):
        return "always_above" if not below else "not_this_day" if above else "always_below"

    for body, english, printed, number in BODIES:
        scene = Scene(body, body if number is None else number, earth, lat, lon)
        level = None if body == "moon" else LEVELS["sun" if body == "sun" else "planet"]
        for line, (rises, sets, above, below) in enumerate(reference_events(scene, count, level)):
            crossings = rises + sets
            tally((english, "rise"), line, body, "rise", rises,
                  "occurs" if rises else without(above, below), crossings)
            tally((english, "set"), line, body, "set", sets,
                  "occurs" if sets else without(above, below), crossings)
        for line, transits in enumerate(reference_transits(scene, count)):
            tally((english, "transit"), line, body, "transit", transits,
                  "occurs" if transits else "not_this_day", transits)
        if body == "sun":
            for name, altitude in TWILIGHTS:
                events = reference_events(scene, count, altitude)
                for line, (rises, sets, above, below) in enumerate(events):
                    crossings = rises + sets
                    tally((f"{name} twilight", "morning"), line, body, f"{name}_morning", rises,
                          "occurs" if rises else without(above, below), crossings)
                    tally((f"{name} twilight", "evening"), line, body, f"{name}_evening", sets,
                          "occurs" if sets else without(above, below), crossings)
        altitude_errors, azimuth_errors = [], []
        for event, refracted in (("seen", False), ("seen_refracted", True)):
            ref_alt, ref_az = reference_seen(scene, days, refracted)
            mine = np.array([rows[(line, body, event)][3:] for line in range(count)])
            altitude_errors.append((mine[:, 0] - ref_alt) * RAD_TO_ARCSEC)
            azimuth_errors.append(accuracy.wrap(mine[:, 1] - ref_az, 2 * math.pi)
                                  * np.cos(ref_alt) * RAD_TO_ARCSEC)
        result["seen"][english] = (np.concatenate(altitude_errors),
                                   np.concatenate(azimuth_errors))
    return result


def seen_bound(printed):
    return accuracy.CHECK_BOUNDS[printed][0] + EXTRA


def largest_time(result):
    return max(accuracy.max_abs(v) for v in result["times"].values() if v)


# ---------------------------------------------------------------- check mode

def check(probe):
    result = compare(probe, sample_days(CHECK_DAYS, CHECK_SEED))
    measured = [("largest time error", largest_time(result), CHECK_BOUNDS["time"], "s"),
                ("outcomes that differ", result["outcomes"]["mismatch"],
                 CHECK_BOUNDS["mismatch"], "")]
    for _, english, printed, _ in BODIES:
        altitude, azimuth = result["seen"][english]
        worst = max(accuracy.max_abs(altitude), accuracy.max_abs(azimuth))
        measured.append((f"{english} altitude, azimuth", worst, CHECK_BOUNDS[english], "arcsec"))
    failures = 0
    for what, value, bound, unit in measured:
        verdict = "ok" if value <= bound else "FAIL"
        failures += verdict == "FAIL"
        print(f"{verdict:4} {what:32} max {value:8.1f} {unit:6} bound {bound:8.1f}")
    for mismatch in result["mismatches"]:
        print("differs:", mismatch)
    print(f"{failures} of {len(measured)} bounds exceeded over {CHECK_DAYS} days")
    return 1 if failures else 0


# ---------------------------------------------------------------- report mode

def times_table(result):
    rows = ["| | rising: max | RMS | transit: max | RMS | setting: max | RMS |",
            "|---|--:|--:|--:|--:|--:|--:|"]

    def cells(values):
        if not values:
            return ["–", "–"]
        return [f"{accuracy.max_abs(values):.1f} s", f"{accuracy.rms(values):.1f} s"]

    for _, english, _, _ in BODIES:
        row = []
        for event in ("rise", "transit", "set"):
            row += cells(result["times"].get((english, event), []))
        rows.append(f"| {english} | " + " | ".join(row) + " |")
    for name, _ in TWILIGHTS:
        key = f"{name} twilight"
        row = cells(result["times"].get((key, "morning"), [])) + ["", ""] + cells(
            result["times"].get((key, "evening"), []))
        rows.append(f"| {key.capitalize()} (morning, evening) | " + " | ".join(row) + " |")
    return "\n".join(rows)


def seen_table(result):
    rows = ["| | altitude: max | RMS | azimuth on the sky: max | RMS | direction's bound + 36″ |",
            "|---|--:|--:|--:|--:|--:|"]
    for _, english, printed, _ in BODIES:
        altitude, azimuth = result["seen"][english]
        rows.append(f"| {english} | {accuracy.max_abs(altitude):.0f}″ |"
                    f" {accuracy.rms(altitude):.0f}″ | {accuracy.max_abs(azimuth):.0f}″ |"
                    f" {accuracy.rms(azimuth):.0f}″ | {seen_bound(printed):.0f}″ |")
    return "\n".join(rows)


def bounds_table():
    rows = ["| | bound |", "|---|--:|", f"| any event's time | {CHECK_BOUNDS['time']:.0f} s |",
            "| outcomes that differ away from the day's ends | 0 |"]
    rows += [f"| {english}: altitude, azimuth | {CHECK_BOUNDS[english]:.0f}″ |"
             for _, english, _, _ in BODIES]
    return "\n".join(rows)


def plot(path, result):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, (left, right) = plt.subplots(1, 2, figsize=(12, 5), constrained_layout=True)
    colours = {"rise": "tab:blue", "transit": "tab:green", "set": "tab:orange",
               "morning": "tab:purple", "evening": "tab:purple"}
    for (what, event), errors in result["times"].items():
        if errors:
            left.scatter(result["latitude"][(what, event)], np.abs(errors), s=2,
                         color=colours[event], alpha=0.4, linewidths=0, rasterized=True)
    for event, colour in (("rising", "tab:blue"), ("transit", "tab:green"),
                          ("setting", "tab:orange"), ("twilights", "tab:purple")):
        left.scatter([], [], s=12, color=colour, label=event)
    left.axhline(60, color="tab:red", linestyle="--", linewidth=1, label="one minute")
    left.set_yscale("log")
    left.set_ylim(0.01, 300)
    left.set_xlim(*LATITUDES)
    left.set_xlabel("latitude (degrees)")
    left.set_ylabel("|library − reference| (seconds of time)")
    left.set_title("Times of the events, every body")
    left.legend(loc="upper left", fontsize=8, ncol=3)
    left.grid(True, which="major", linewidth=0.3)

    names = [english for _, english, _, _ in BODIES]
    x = np.arange(len(names))
    worst = [max(accuracy.max_abs(v) for v in result["seen"][n]) for n in names]
    typical = [max(accuracy.rms(v) for v in result["seen"][n]) for n in names]
    bounds = [seen_bound(printed) for _, _, printed, _ in BODIES]
    right.bar(x - 0.2, worst, width=0.4, color="tab:blue", label="largest")
    right.bar(x + 0.2, typical, width=0.4, color="tab:cyan", label="RMS")
    right.scatter(x, bounds, marker="_", s=300, color="tab:red",
                  label="the position's own bound + 36″")
    right.set_xticks(x, names, rotation=30)
    right.set_ylabel("arcseconds")
    right.set_title("Altitude and azimuth at a random instant")
    right.legend(fontsize=8)
    right.grid(True, axis="y", linewidth=0.3)
    figure.suptitle(f"What an observer sees: the library against ERFA over {REPORT_DAYS}"
                    f" days and places ({YEARS[0]}–{YEARS[1]}, latitudes"
                    f" {LATITUDES[0]:.0f}° to {LATITUDES[1]:.0f}°)")
    figure.savefig(path, dpi=80, metadata={"Software": None})
    plt.close(figure)


def report(probe, out):
    result = compare(probe, sample_days(REPORT_DAYS, REPORT_SEED))
    out.mkdir(parents=True, exist_ok=True)
    plot(out / "observer.png", result)
    counts = result["outcomes"]
    compared = sum(counts.values())
    events = sum(len(v) for v in result["times"].values())
    text = SECTION.format(
        days=REPORT_DAYS, first=YEARS[0], last=YEARS[1], south=-LATITUDES[0],
        north=LATITUDES[1], times_table=times_table(result), seen_table=seen_table(result),
        compared=compared, same=counts["same"], edge=counts["edge"],
        mismatch=counts["mismatch"], events=events, largest=largest_time(result),
        check_days=CHECK_DAYS, bounds_table=bounds_table())
    accuracy.write_section(out / "accuracy.md", "observer", text)


SECTION = """\
## What an observer sees

The library also says where the bodies stand in the sky of a place
(`observe`: azimuth and altitude, topocentric, refraction on request) and
when they rise, cross the meridian and set within a day (`dayAlmanac`, with
the Sun's civil, nautical and astronomical twilights). The program does not
print these yet; `tools/accuracy/observer.py` reads them from the library
through a small probe for {days} random days and places (years {first} to
{last}, latitudes {south:.0f}° S to {north:.0f}° N, heights 0 to 2500 m, each
day from the local mean midnight rounded to the hour, in UT) and computes them
again from ERFA:

- **Positions**: the geocentric vectors of the sections above (`epv00`,
  `plan94`, `moon98`, `pmat06`) at TT = UT + ΔT, with the same ΔT given to the
  library; the sidereal time from `gmst06` at UT1 = the UT of the day.
- **The observer** on the WGS84 ellipsoid (`gd2gc`), turned by the sidereal
  time; the library uses the IAU 1976 ellipsoid, a few metres away.
- **Rising and setting**: the geocentric altitude against the same
  conventional altitudes (Sun −50′, planets −34′, the Moon 0.7275 times its
  horizontal parallax minus 34′, twilights −6°, −12°, −18°); the transit where
  the hour angle passes 0. The reference's events are found by the tool itself:
  the altitude every ten minutes, each change of sign narrowed by bisection to
  0.3 s.
- **Altitude and azimuth** at a random instant of each day, topocentric,
  without refraction and with the same formula (Saemundsson's, 1010 hPa,
  10 °C, faded to nothing between -1° and -3° below the horizon).

Times, library minus reference, over {events} events that both found:

{times_table}

The largest difference is {largest:.0f} s, well within a minute. A position
off by ε along the vertical moves a rising or a setting by ε over the rate at
which the body climbs, 15″ per second of time times cos φ sin A (A the
azimuth), slower toward ±60°; a transit moves by the error in right
ascension, 15″ per second. So the Sun's and the Moon's errors of 10″ to 40″
make a few seconds, and Mars' arcminutes near close oppositions the half
minute.

Outcomes: of {compared} events compared (each rising, transit, setting and
twilight of each day), {same} agree, {edge} differ only because the event lies
within a minute of the day's start or end, where the two computations may
put it on either side, and {mismatch} differ otherwise.

Altitude and azimuth (azimuth as an angle on the sky, Δazimuth × cos altitude),
with and without refraction:

{seen_table}

The bound is the one the section above sets on the body's direction, plus
36″ (a hundredth of a degree): the horizontal position adds nothing to the
error of the position it is turned from but the few metres of the two
ellipsoids and the sidereal time's fraction of a second.

![Event times and horizontal positions against ERFA](observer.png)

Left, each dot is one event: the difference of its time, against the place's
latitude, on a logarithmic scale. Right, the largest and RMS error of the
altitude and azimuth per body, and the bound.

The test `accuracy.observer` (`ctest --preset dev -L accuracy`) runs
`observer.py --check` on {check_days} other fixed days and places and fails
when an outcome differs away from the day's ends or a figure exceeds its
bound, each a little above what it measures there:

{bounds_table}

To redo this section and its picture:

```
cmake --preset dev && cmake --build build/dev --target observer_probe
/usr/bin/python3 tools/accuracy/observer.py --probe build/dev/tools/accuracy/observer_probe --out docs
```
"""


def main():
    return accuracy.probe_main(__doc__, "observer_probe", check, report, "observer.png")


if __name__ == "__main__":
    sys.exit(main())
