#!/usr/bin/python3
"""Measure how each body looks, as the library computes it, against ERFA.

The library's appearances (astro::appearances) are read through a small
probe, appearance_probe, which prints them for Julian Days in TT given on
its standard input.  The reference is built here, independently:

  vectors    ERFA's, as accuracy.py builds them: the Earth from epv00, the
             planets from plan94, the Moon from moon98, all in the J2000
             frame; the Sun is minus the Earth
  phase      the angle at the body between the Sun and the Earth from those
             vectors; k = (1 + cos i) / 2; r the body's distance from the Sun
  elongation the angle between the body's and the Sun's vectors; its side
             from their ecliptic longitudes of date (ecm06, IAU 2006)
  diameter   2 asin(a / Delta), a the IAU 2015 equatorial radius
  magnitude  the laws of Mallama and Hilton (2018), the Moon's and the
             Sun's, written out again below from the publications and fed
             with these vectors; Saturn's and Uranus' sub-Earth and sub-Sun
             latitudes from the IAU 2015 poles in the J2000 frame directly
             (no precession, unlike the library)

Usage (always with /usr/bin/python3, where ERFA is installed):
  appearance.py [--probe PATH] [--out DIR]   write DIR/appearance.png and the
                                             "appearance" section of
                                             DIR/accuracy.md
  appearance.py --check --probe PATH         compare fixed dates with the bounds
                                             below; exit status 1 if one is exceeded
"""

import math
import pathlib
import subprocess
import sys
import warnings

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import accuracy  # noqa: E402  (exits with 77 when ERFA or numpy is missing)
import erfa  # noqa: E402
import numpy as np  # noqa: E402

REPO = accuracy.REPO

# Units: angles in radians unless named, magnitudes in mag.
ARCSEC = math.pi / (180.0 * 3600.0)
ARCMIN = 60.0 * ARCSEC
DEGREE = 60.0 * ARCMIN
MAG = 1.0
PPM = 1e-6

BODIES = ("sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune")
ENGLISH = {name: name.capitalize() for name in BODIES}
PLAN94 = {"mercury": 1, "venus": 2, "mars": 4, "jupiter": 5, "saturn": 6, "uranus": 7,
          "neptune": 8}

# IAU WGCCRE 2015 equatorial radii, km (the Moon's mean radius); the Sun's
# nominal radius (IAU 2015 Resolution B3).
RADIUS_KM = {"sun": 695700.0, "moon": 1737.4, "mercury": 2440.53, "venus": 6051.8,
             "mars": 3396.19, "jupiter": 71492.0, "saturn": 60268.0, "uranus": 25559.0,
             "neptune": 24764.0}
URANUS_POLAR_KM = 24973.0

SPAN = (1900, 2100)
REPORT_DATES, REPORT_SEED = 20000, 1900
CHECK_DATES, CHECK_SEED = 400, 2100

# A side of the Sun may differ only where the reference longitude difference
# is this close to 0 or 180 degrees: the positions' own error.
SIDE_MARGIN = 0.1 * DEGREE

# Check mode: bounds on the largest difference over the fixed dates, a
# little above what was measured there (docs/accuracy.md has the wider run).
CHECK_BOUNDS = {
    # body:    phase angle,  fraction, elongation,   diameter,   magnitude
    "sun":     (0.1 * ARCSEC, 1e-6, 0.1 * ARCSEC, 80 * PPM, 0.001 * MAG),
    "moon":    (36 * ARCSEC, 1.0e-4, 36 * ARCSEC, 100 * PPM, 0.002 * MAG),
    "mercury": (55 * ARCSEC, 1.0e-4, 18 * ARCSEC, 150 * PPM, 0.002 * MAG),
    "venus":   (58 * ARCSEC, 1.2e-4, 43 * ARCSEC, 310 * PPM, 0.002 * MAG),
    "mars":    (255 * ARCSEC, 1.5e-4, 375 * ARCSEC, 1160 * PPM, 0.004 * MAG),
    "jupiter": (18 * ARCSEC, 1e-5, 100 * ARCSEC, 365 * PPM, 0.002 * MAG),
    "saturn":  (23 * ARCSEC, 1e-5, 260 * ARCSEC, 405 * PPM, 0.002 * MAG),
    "uranus":  (3.5 * ARCSEC, 1e-6, 68 * ARCSEC, 190 * PPM, 0.001 * MAG),
    "neptune": (2 * ARCSEC, 1e-6, 62 * ARCSEC, 80 * PPM, 0.001 * MAG),
}
# measured:  Sun 0, 0, 0, 67 ppm, 0.0001; Moon 32", 7.5e-5, 32", 90 ppm, 0.0009;
# Mercury 49", 9e-5, 16", 136 ppm, 0.0015; Venus 52", 1.05e-4, 38", 278 ppm,
# 0.0013; Mars 231", 1.33e-4, 340", 1049 ppm, 0.0033; Jupiter 16", 6e-6, 89",
# 329 ppm, 0.0013; Saturn 20", 3e-6, 233", 367 ppm, 0.0016; Uranus 3.1", 4e-8,
# 61", 172 ppm, 0.0007; Neptune 1.7", 1e-8, 55", 69 ppm, 0.0003
# The Moon's illuminated fraction, BodyPosition's against the new one.
CHECK_MOON_FRACTIONS = 1.4e-4           # measured 1.25e-4
CHECK_QUANTITIES = (    # key, name, unit, unit name: in the order of CHECK_BOUNDS
    ("phase", "phase angle", ARCSEC, "arcsec"),
    ("fraction", "illuminated fraction", 1.0, ""),
    ("elongation", "elongation", ARCSEC, "arcsec"),
    ("diameter", "diameter", PPM, "ppm"),
    ("magnitude", "magnitude", MAG, "mag"),
)


# ---------------------------------------------------------------- the library

def run_probe(probe, jd):
    """The probe's rows for the Julian Days (TT): a dict per body name of arrays."""
    typed = "".join(f"{x!r}\n" for x in jd)
    done = subprocess.run([str(probe)], input=typed, capture_output=True, text=True,
                          timeout=600)
    if done.returncode != 0:
        sys.exit(f"{probe} exited with status {done.returncode}: {done.stderr.strip()}")
    lines = done.stdout.splitlines()
    header = lines[0].split(",")
    rows = [line.split(",") for line in lines[1:]]
    if len(rows) != len(jd) * len(BODIES):
        sys.exit(f"expected {len(jd) * len(BODIES)} rows from {probe}, got {len(rows)}")
    column = {name: i for i, name in enumerate(header)}
    text = ("body", "side", "magnitude_status")
    result = {}
    for k, name in enumerate(BODIES):
        picked = rows[k::len(BODIES)]
        if any(row[column["body"]] != name for row in picked):
            sys.exit(f"{probe}: rows out of order")
        result[name] = {key: (np.array([row[i] for row in picked]) if key in text
                              else np.array([float(row[i]) for row in picked]))
                        for key, i in column.items()}
    return result


# ---------------------------------------------------------------- reference

def vectors(tt):
    """ERFA geocentric vectors (AU, J2000 frame) of the nine bodies, per name."""
    d1 = np.full_like(tt, 2451545.0)
    d2 = tt - d1
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        earth = erfa.epv00(d1, d2)[0]["p"]
        result = {"sun": -earth, "moon": erfa.moon98(d1, d2)["p"]}
        for name, number in PLAN94.items():
            result[name] = erfa.plan94(d1, d2, number)["p"] - earth
    return result


def unit(v):
    return v / np.linalg.norm(v, axis=-1)[..., None]


def angle_between(a, b):
    """The angle between vectors, 0..pi, in the atan2 form."""
    return np.arctan2(np.linalg.norm(np.cross(a, b), axis=-1), np.sum(a * b, axis=-1))


def pole(name, tt):
    """IAU 2015 north pole of Saturn or Uranus, unit vectors in the J2000 frame."""
    t = (tt - 2451545.0) / 36525.0
    if name == "saturn":
        ra, dec = 40.589 - 0.036 * t, 83.537 - 0.004 * t
    else:
        ra, dec = np.full_like(t, 257.311), np.full_like(t, -15.175)
    return erfa.s2c(np.radians(ra), np.radians(dec))


def decimal_year(tt):
    return 2000.0 + (tt - 2451544.5) / 365.2425


def magnitude_law(name, r, delta, alpha, sub_earth, sub_sun, year):
    """Visual magnitude and whether the law covers the geometry.

    alpha in radians; sub_earth, sub_sun planetocentric latitudes (radians).
    Mallama and Hilton (2018) for the planets; the Moon V(1,0) = +0.21 with
    0.026 a + 4.0e-9 a^4; the Sun -26.74 at 1 AU.
    """
    a = np.degrees(alpha)
    ones = np.ones_like(a)
    if name == "sun":
        return -26.74 + 5 * np.log10(delta), ones.astype(bool)
    distance = 5 * np.log10(r * delta)
    if name == "moon":
        return distance + 0.21 + 0.026 * a + 4.0e-9 * a**4, a <= 150
    if name == "mercury":
        v1 = (-0.613 + 6.3280e-02 * a - 1.6336e-03 * a**2 + 3.3644e-05 * a**3
              - 3.4265e-07 * a**4 + 1.6893e-09 * a**5 - 3.0334e-12 * a**6)
        return distance + v1, (a >= 2) & (a <= 170)
    if name == "venus":
        near = -4.384 - 1.044e-03 * a + 3.687e-04 * a**2 - 2.814e-06 * a**3 + 8.938e-09 * a**4
        far = 236.05828 - 2.81914 * a + 8.39034e-03 * a**2
        return distance + np.where(a <= 163.7, near, far), (a >= 2) & (a <= 179)
    if name == "mars":
        return distance - 1.601 + 0.02267 * a - 0.0001302 * a**2, a <= 50
    if name == "jupiter":
        return distance - 9.395 - 3.7e-04 * a + 6.16e-04 * a**2, a <= 12
    if name == "saturn":
        product = np.sin(sub_earth) * np.sin(sub_sun)
        lit = product >= 0
        sin_beta = np.sqrt(np.where(lit, product, 0.0))
        rings = -8.914 - 1.825 * sin_beta + 0.026 * a - 0.378 * sin_beta * np.exp(-2.25 * a)
        globe = -8.95 - 3.7e-04 * a + 6.16e-04 * a**2
        covered = lit & (a <= 6.5) & (sin_beta <= math.sin(math.radians(27)))
        return distance + np.where(lit, rings, globe), covered
    if name == "uranus":
        squash = (URANUS_POLAR_KM / RADIUS_KM["uranus"]) ** 2
        graphic = [np.degrees(np.arctan(np.abs(np.tan(b)) / squash)) for b in (sub_earth, sub_sun)]
        phi = (graphic[0] + graphic[1]) / 2
        return distance - 7.110 - 8.4e-04 * phi + 6.587e-3 * a + 1.045e-4 * a**2, a <= 3.1
    if name == "neptune":
        v10 = np.where(year >= 2000, -7.00,
                       np.where(year >= 1980, -6.89 - 0.0054 * (year - 1980), -6.89))
        return distance + v10, a <= 1.9
    raise ValueError(name)


def reference(tt):
    """Per body name: phase angle, fraction, r, elongation, longitude difference,
    diameter, magnitude and whether its law covers the geometry."""
    geo = vectors(tt)
    sun = geo["sun"]
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        ecliptic = erfa.ecm06(np.full_like(tt, 2451545.0), tt - 2451545.0)
    sun_longitude = erfa.c2s(erfa.rxp(ecliptic, sun))[0]
    year = decimal_year(tt)
    result = {}
    for name in BODIES:
        body = geo[name]
        delta = np.linalg.norm(body, axis=-1)
        if name == "sun":
            alpha, r, elongation, difference = (np.zeros_like(tt),) * 4
        else:
            to_sun = sun - body
            alpha = angle_between(to_sun, -body)
            r = np.linalg.norm(to_sun, axis=-1)
            elongation = angle_between(body, sun)
            longitude = erfa.c2s(erfa.rxp(ecliptic, body))[0]
            difference = accuracy.wrap(longitude - sun_longitude, 2 * math.pi)
        sub_earth = sub_sun = np.zeros_like(tt)
        if name in ("saturn", "uranus"):
            p = pole(name, tt)
            sub_earth = np.arcsin(-np.sum(p * unit(body), axis=-1))
            sub_sun = np.arcsin(-np.sum(p * unit(body - sun), axis=-1))
        magnitude, covered = magnitude_law(name, r, delta, alpha, sub_earth, sub_sun, year)
        result[name] = {
            "phase_angle": alpha, "illuminated_fraction": (1 + np.cos(alpha)) / 2,
            "heliocentric_distance": r, "elongation": elongation,
            "longitude_difference": difference,
            "angular_diameter": 2 * np.arcsin(RADIUS_KM[name] / (delta * accuracy.AU_KM)),
            "magnitude": magnitude, "covered": covered,
            "sub_earth": sub_earth, "sub_sun": sub_sun,
        }
    return result


# ---------------------------------------------------------------- comparison

def compare(probe, tt):
    """Library minus reference, per body: a dict of arrays."""
    lib, ref = run_probe(probe, tt), reference(tt)
    errors = {}
    for name in BODIES:
        mine, theirs = lib[name], ref[name]
        side = np.where(theirs["longitude_difference"] > 0, "east",
                        np.where(theirs["longitude_difference"] < 0, "west", "none"))
        if name == "sun":
            side[:] = "none"
        near_turning = np.minimum(np.abs(theirs["longitude_difference"]),
                                  math.pi - np.abs(theirs["longitude_difference"]))
        status_wrong = (mine["magnitude_status"] == "computed") != theirs["covered"]
        errors[name] = {
            "phase": mine["phase_angle"] - theirs["phase_angle"],
            "fraction": mine["illuminated_fraction"] - theirs["illuminated_fraction"],
            "elongation": mine["elongation"] - theirs["elongation"],
            "diameter": mine["angular_diameter"] / theirs["angular_diameter"] - 1,
            # Where the two flag a magnitude differently (at the edge of a
            # law's range) they may use different laws: compared apart.
            "magnitude": (mine["magnitude"] - theirs["magnitude"])[~status_wrong],
            "magnitude_all": mine["magnitude"] - theirs["magnitude"],
            "side_wrong": mine["side"] != side,
            "side_wrong_far": (mine["side"] != side) & (near_turning > SIDE_MARGIN),
            "status_wrong": status_wrong,
            "outside": mine["magnitude_status"] != "computed",
        }
    moon = ref["moon"]["illuminated_fraction"]
    errors["moon"]["old_fraction"] = lib["moon"]["moon_illumination"] - moon
    errors["moon"]["old_vs_new"] = (lib["moon"]["moon_illumination"]
                                    - lib["moon"]["illuminated_fraction"])
    errors["moon"]["percent_differs"] = (np.floor(100 * lib["moon"]["moon_illumination"])
                                         != np.floor(100 * lib["moon"]["illuminated_fraction"]))
    return errors


def max_abs(values):
    return float(np.max(np.abs(values))) if len(values) else 0.0


def rms(values):
    return float(np.sqrt(np.mean(np.square(values)))) if len(values) else 0.0


# ---------------------------------------------------------------- check mode

def check(probe):
    """Compare the fixed dates with CHECK_BOUNDS; 0 if all are kept, else 1."""
    tt = accuracy.sample_dates(SPAN, CHECK_DATES, CHECK_SEED)
    errors = compare(probe, tt)
    measured = []              # (what, value, bound, unit, unit name)
    for name in BODIES:
        for (key, what, unit_value, unit_name), bound in zip(CHECK_QUANTITIES,
                                                             CHECK_BOUNDS[name]):
            measured.append((f"{ENGLISH[name]} {what}", max_abs(errors[name][key]), bound,
                             unit_value, unit_name))
    measured.append(("Moon fraction, BodyPosition", max_abs(errors["moon"]["old_vs_new"]),
                     CHECK_MOON_FRACTIONS, 1.0, ""))
    failures = 0
    for what, value, bound, unit_value, unit_name in measured:
        verdict = "ok" if value <= bound else "FAIL"
        failures += verdict == "FAIL"
        print(f"{verdict:4} {what:30} max {value / unit_value:10.6f} {unit_name:6}"
              f" bound {bound / unit_value:10.6f}")
    for name in BODIES:
        wrong = int(errors[name]["side_wrong_far"].sum())
        status = int(errors[name]["status_wrong"].sum())
        verdict = "ok" if wrong == 0 and status == 0 else "FAIL"
        failures += verdict == "FAIL"
        print(f"{verdict:4} {ENGLISH[name]}: {wrong} sides of the Sun, {status} magnitude"
              f" flags differ from the reference")
    print(f"{failures} of {len(measured) + len(BODIES)} checks failed over {CHECK_DATES} dates"
          f" from {SPAN[0]} to {SPAN[1]}")
    return 1 if failures else 0


# ---------------------------------------------------------------- report mode

def body_table(errors):
    rows = ["| Body | phase angle | illuminated fraction | elongation | diameter"
            " | magnitude max (RMS) | flagged | flags differ |",
            "|---|--:|--:|--:|--:|--:|--:|--:|"]
    for name in BODIES:
        e = errors[name]
        rows.append(
            f"| {ENGLISH[name]} | {max_abs(e['phase']) / ARCSEC:.1f}″"
            f" | {max_abs(e['fraction']):.6f} | {max_abs(e['elongation']) / ARCSEC:.1f}″"
            f" | {max_abs(e['diameter']) / PPM:.0f} ppm"
            f" | {max_abs(e['magnitude']):.4f} ({rms(e['magnitude']):.4f})"
            f" | {100 * e['outside'].mean():.1f} % | {int(e['status_wrong'].sum())} |")
    return "\n".join(rows)


def bounds_table():
    rows = ["| Body | " + " | ".join(what for _, what, _, _ in CHECK_QUANTITIES) + " |",
            "|---|" + "--:|" * len(CHECK_QUANTITIES)]
    symbols = {"arcsec": "″", "ppm": " ppm", "mag": " mag", "": ""}
    for name in BODIES:
        cells = [f"{bound / unit_value:g}{symbols[unit_name]}"
                 for (_, _, unit_value, unit_name), bound in zip(CHECK_QUANTITIES,
                                                                 CHECK_BOUNDS[name])]
        rows.append(f"| {ENGLISH[name]} | " + " | ".join(cells) + " |")
    return "\n".join(rows)


def plot(path, tt, errors):
    """One panel per body: magnitude, library minus reference, against year."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    years = accuracy.year_of(tt)
    figure, axes = plt.subplots(3, 3, figsize=(12, 9), sharex=True, constrained_layout=True)
    for axis, name in zip(axes.flat, BODIES):
        e = errors[name]
        difference = e["magnitude_all"]
        for picked, size, colour, label in (
                (~e["outside"] & ~e["status_wrong"], 0.5, "tab:blue", "within the law's range"),
                (e["outside"] & ~e["status_wrong"], 2, "tab:red", "flagged by both: beyond it"),
                (e["status_wrong"], 12, "black", "flagged by one of the two")):
            axis.scatter(years[picked], difference[picked], s=size, color=colour,
                         linewidths=0, rasterized=True, label=label)
        axis.axhline(0, color="0.5", linewidth=0.5)
        # The scale of the instants both flag alike; a switch of Saturn's law
        # at a ring-plane crossing lies far off it and is said in words.
        low, high = np.min(e["magnitude"]), np.max(e["magnitude"])
        margin = 0.1 * (high - low)
        axis.set_ylim(low - margin, high + margin)
        off = e["status_wrong"] & ((difference < low - margin) | (difference > high + margin))
        if off.any():
            axis.text(0.02, 0.04, f"off scale, flagged by one: {int(off.sum())} instants,"
                      f" up to {max_abs(difference[off]):.2f} mag", transform=axis.transAxes,
                      fontsize=8)
        axis.set_title(f"{ENGLISH[name]}: phase angle within {max_abs(e['phase']) / ARCSEC:.0f}″",
                       fontsize=10)
        axis.set_xlim(*SPAN)
        axis.grid(True, linewidth=0.3)
    for axis in axes[:, 0]:
        axis.set_ylabel("magnitude difference (mag)")
    for axis in axes[-1, :]:
        axis.set_xlabel("year (TT)")
    legend = axes[0, 0].legend(loc="lower left", fontsize=8)
    for handle in getattr(legend, "legend_handles", None) or legend.legendHandles:
        handle.set_sizes([12])
    figure.suptitle("Visual magnitude: the library minus the same laws on ERFA's vectors, "
                    f"{len(tt)} instants from {SPAN[0]} to {SPAN[1]}")
    figure.savefig(path, dpi=80, metadata={"Software": None})
    plt.close(figure)


SECTION = """\
## How each body looks

`astro::appearances` gives, for each body of an instant, the phase angle, the
illuminated fraction, the apparent diameter, the elongation from the Sun with
its side (east or west along the ecliptic) and the visual magnitude, with a
flag on a magnitude whose law is carried beyond the geometry it was fitted
to. This section measures them on {dates} instants between {start} and {end}
(TT), read through `tools/accuracy/appearance_probe`, against a reference that
`tools/accuracy/appearance.py` builds on its own:

- **Geometry** from ERFA's vectors, as above (`epv00`, `plan94`, `moon98`, in
  the J2000 frame): the phase angle is the angle at the body between the Sun
  and the Earth, the elongation the angle between the body and the Sun, the
  side the sign of their difference of ecliptic longitude of date (`ecm06`).
- **Diameters**: 2 asin(a/Δ) with the same published radii (IAU 2015:
  Mercury 2440.53 km, Venus 6051.8, Mars 3396.19, Jupiter 71492, Saturn
  60268, Uranus 25559, Neptune 24764, the Moon 1737.4; the Sun 695,700) and
  ERFA's distance, so the difference is the library's distance error.
- **Magnitudes**: the laws of Mallama and Hilton (2018) written out again in
  the tool, for the Moon V(1,0) = +0.21 with 0.026α + 4·10⁻⁹α⁴ (α in degrees,
  Allen), for the Sun −26.74 + 5 log Δ, fed with ERFA's distances and phase
  angles. Saturn's ring tilts and Uranus' sub-latitudes come from the IAU 2015
  poles used in the J2000 frame as they are, while the library precesses the
  poles to the ecliptic of date: the two share only the poles' published
  coordinates.

Library minus reference, largest difference over the instants; the magnitude
also with its RMS, over the instants that both flag alike. "Flagged" is the
share of instants whose magnitude the library marks as beyond its law;
"flags differ" counts the instants that one side flags and the other not.

{table}

- **Phase angle and illuminated fraction** carry the positions' errors, seen
  from the body: the Moon's and the Sun's direction errors for the Moon, those
  of Mercury and Venus magnified near inferior conjunction, those of Mars near
  close oppositions. The illuminated fraction moves by at most {fraction:.5f}.
- **The Moon's two fractions.** `BodyPosition::illumination` comes from
  Meeus' approximation of the phase angle by the mean anomalies; the new
  illuminated fraction from the triangle with the distances themselves. The
  two differ by at most {old_vs_new:.5f}; against the reference the old one is
  within {old:.5f}, the new one within {new:.5f}. Cut to a whole percentage, as the
  report prints it, they differ at {percent_differs} of the {dates} instants,
  by one point.
- **Elongations** are the positions' direction errors, Mars' the largest
  ({mars_elongation:.1f}′).
- **Magnitudes** agree within {mag:.4f} mag for every body, Saturn's rings
  included, where both flag alike: the laws are the same on both sides, so
  what is left is the positions' error carried through 5 log(rΔ) and the phase
  laws. Where one side flags Saturn and the other not, a ring-plane tilt of a
  few hundredths of a degree has changed sign between the two, and one uses
  the rings' law, the other the globe's: up to {saturn_switch:.2f} mag apart,
  at {saturn_count} instants. The other differing flags are instants at the
  very edge of a range of phase angle, where the two agree to the magnitude.
- **Flags.** The library flags a magnitude for Mercury and Venus when their
  phase angle is below 2°, near superior conjunction, and for Mercury beyond
  170°, near inferior conjunction; for the Moon beyond 150°, within about two and a half
  days of new moon; for Uranus beyond 3.1° and Neptune beyond 1.9°, near
  quadrature; for Saturn over the months around each ring-plane crossing when
  the Earth sees the face of the rings that the Sun does not light.
- **Sides of the Sun** agree on every instant except {side_wrong}, all within
  0.1° of a conjunction or opposition in longitude, where the positions' own
  error decides.
- **What the models are worth** is another matter: Mallama and Hilton's laws
  follow the observations they were fitted to within a few hundredths of a
  magnitude for most planets; the library leaves out Mars' terms of rotation
  and season (up to about 0.1 mag) and takes Saturn's ring tilt as the
  geometric mean of its sines from the Earth and from the Sun.

![Magnitude, library minus reference, against year](appearance.png)

Each dot is one instant: blue where both sides compute the magnitude within
its law's range, red where both flag it, black where only one does.

The test `accuracy.appearance` (`ctest --preset dev -L accuracy`) runs
`appearance.py --check` on {check_dates} fixed instants from {start} to {end}
and fails when a largest difference exceeds its bound below (each a little
above what it measures there), when the Moon's two illuminated fractions part
by more than {b_moon}, or when a side of the Sun away from 0.1° of a turning
point or a magnitude's flag differs from the reference.

{bounds}

Reproduce with

```
cmake --preset dev && cmake --build build/dev --target appearance_probe
/usr/bin/python3 tools/accuracy/appearance.py --probe build/dev/tools/accuracy/appearance_probe --out docs
```
"""


def report(probe, out):
    tt = accuracy.sample_dates(SPAN, REPORT_DATES, REPORT_SEED)
    errors = compare(probe, tt)
    out.mkdir(parents=True, exist_ok=True)
    plot(out / "appearance.png", tt, errors)
    moon = errors["moon"]
    switched = errors["saturn"]["status_wrong"]
    text = SECTION.format(
        dates=len(tt), start=SPAN[0], end=SPAN[1], table=body_table(errors),
        fraction=max(max_abs(errors[name]["fraction"]) for name in BODIES),
        old_vs_new=max_abs(moon["old_vs_new"]), old=max_abs(moon["old_fraction"]),
        new=max_abs(moon["fraction"]), percent_differs=int(moon["percent_differs"].sum()),
        mars_elongation=max_abs(errors["mars"]["elongation"]) / ARCMIN,
        mag=max(max_abs(errors[name]["magnitude"]) for name in BODIES),
        saturn_switch=max_abs(errors["saturn"]["magnitude_all"][switched]),
        saturn_count=int(switched.sum()),
        side_wrong=sum(int(errors[name]["side_wrong"].sum()) for name in BODIES),
        check_dates=CHECK_DATES, b_moon=CHECK_MOON_FRACTIONS, bounds=bounds_table())
    accuracy.write_section(out / "accuracy.md", "appearance", text)
    for name in BODIES:
        e = errors[name]
        print(f"{name:8} phase {max_abs(e['phase']) / ARCSEC:7.1f}\""
              f" k {max_abs(e['fraction']):.6f} elong {max_abs(e['elongation']) / ARCSEC:7.1f}\""
              f" diam {max_abs(e['diameter']) / PPM:6.0f}ppm mag {max_abs(e['magnitude']):.4f}"
              f" sides {int(e['side_wrong'].sum())} ({int(e['side_wrong_far'].sum())} far)"
              f" status {int(e['status_wrong'].sum())} flagged {100 * e['outside'].mean():.1f}%")
    print(f"moon: old-new {max_abs(moon['old_vs_new']):.6f} old-ref"
          f" {max_abs(moon['old_fraction']):.6f}")


def main():
    return accuracy.probe_main(__doc__, "appearance_probe", check, report, "appearance.png")


if __name__ == "__main__":
    sys.exit(main())
