#!/usr/bin/python3
"""The program's almanac at a place (--lieu, on the precise theory from 1800
to 2200) against JPL's DE405 with ERFA's frames, under the same conventions
(de405_rise_set.py): each body's rise, upper transit and set on random days
of 1962-2058 at random places between 60 degrees south and north.

The program is asked for each day at noon UT at the place, its zone fixed
to UTC, so that its local day is the day of UT from 0h; its CSV gives each
time to the second (rounded) and the Delta T it applied (delta_t_s), which
the reference takes too. Where one side finds an event and the other does
not (a body grazing the horizon, an event at the day's edge), the case is
counted apart.

Usage (with /usr/bin/python3, where ERFA is installed):
  almanac.py --exe PROGRAM [--days N] [--check]
      prints, per body, how many events were compared and the largest
      difference in seconds; --check exits 1 if one is over 2 s or more
      than one event in a hundred is found by one side alone, 77 if DE405
      is not installed.
"""

import argparse
import csv
import datetime
import io
import math
import os
import pathlib
import random
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import de405  # noqa: E402

BOUND_SECONDS = 2.0


def program_day(exe, lat, lon, day):
    """The program's rise, transit and set of each body (Julian Dates, UT, or
    None) and its Delta T, for the UT day `day` at the place."""
    done = subprocess.run([exe, "--lieu", f"{lat:.4f},{lon:.4f}", "--fuseau", "UTC",
                           "--format", "csv", f"{day.isoformat()}T12:00"],
                          capture_output=True, text=True, check=True,
                          env={k: v for k, v in os.environ.items() if k != "EPHEMERIDES_LIEU"})
    rows = list(csv.DictReader(io.StringIO(done.stdout)))
    times = {}
    for row in rows:
        if row["place_theory"] != "precise":
            sys.exit(f"{day}: the place's view is not on the precise theory")
        times[row["body"]] = [julian(row[key]) if row[key] else None
                              for key in ("rise", "transit", "set")]
    return times, float(rows[0]["delta_t_s"])


def julian(iso):
    moment = datetime.datetime.fromisoformat(iso)
    epoch = datetime.datetime(2000, 1, 1, 12, tzinfo=datetime.timezone.utc)
    return 2451545.0 + (moment - epoch).total_seconds() / 86400.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--days", type=int, default=40)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    if not os.path.exists(de405.PATH):
        print(f"no DE405 at {de405.PATH} (casacore-data-jpl-de405)")
        return 77
    import de405_rise_set as reference  # loads DE405 and ERFA

    rng = random.Random(26)
    largest = {body: 0.0 for body in de405.BODIES}
    compared = {body: 0 for body in de405.BODIES}
    alone = 0
    for _ in range(args.days):
        day = datetime.date(rng.randint(1962, 2058), rng.randint(1, 12), rng.randint(1, 28))
        lat, lon = rng.uniform(-60, 60), rng.uniform(-180, 180)
        times, delta_t = program_day(args.exe, lat, lon, day)
        start = julian(f"{day.isoformat()}T00:00:00+00:00")
        phi, lam = math.radians(lat), math.radians(lon)
        for body in de405.BODIES:
            h = lambda ut, b=body: reference.altitude_less_level(b, ut, delta_t, phi, lam)  # noqa
            west = lambda ut, b=body: -reference.east(b, ut, delta_t, phi, lam)  # noqa: E731
            expected = [reference.crossing(h, start, True), reference.crossing(west, start, True),
                        reference.crossing(h, start, False)]
            for got, want in zip(times[body], expected):
                if (got is None) != (want is None):
                    alone += 1
                elif got is not None:
                    compared[body] += 1
                    largest[body] = max(largest[body], abs(got - want) * 86400.0)
    print(f"{args.days} days, 1962-2058, latitudes -60 to 60: the program against DE405")
    print("| body | events | max (s) |")
    print("|---|---|---|")
    for body in de405.BODIES:
        print(f"| {body} | {compared[body]} | {largest[body]:.2f} |")
    total = sum(compared.values())
    print(f"found by one side alone: {alone} of {total + alone}")
    if args.check and (max(largest.values()) > BOUND_SECONDS or alone * 100 > total + alone):
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
