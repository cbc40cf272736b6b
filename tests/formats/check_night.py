#!/usr/bin/python3
"""The night's view (--nuit) read back by Python's own parsers.

The same night goes through the program as text, csv, json and svg. The
CSV and the JSON Lines must hold the same rows with the same fields and
values (an empty CSV field is a JSON null); their times must parse as ISO
8601 with the zone's offset and lie in order (a window within the dark, its
best time within it); the text must say, cut to the minute, the times the
CSV gives and fit 80 columns; the picture must parse as XML and show the
sky at the best time of one of the bodies seen.

Usage: check_night.py PROGRAM
"""

import csv
import datetime
import io
import json
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

for variable in ("EPHEMERIDES_LIEU", "TZ"):
    os.environ.pop(variable, None)

BODIES = ("sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune")
NAMES = {"venus": "Vénus", "mars": "Mars", "jupiter": "Jupiter", "saturn": "Saturne",
         "uranus": "Uranus", "mercury": "Mercure", "neptune": "Neptune"}
TIMES = ("sunset", "civil_dusk", "nautical_dusk", "astronomical_dusk", "astronomical_dawn",
         "nautical_dawn", "civil_dawn", "sunrise", "dark_start", "dark_end", "start", "end",
         "second_start", "second_end", "best_time", "rise", "set")
NIGHTS = (["--lieu", "Paris", "--nuit", "2025-01-16"],
          ["--lieu", "Tromsø", "--nuit", "2025-12-21"],
          ["--lieu", "-33.87,151.21", "--fuseau", "Australia/Sydney", "--nuit", "2025-06-21"])

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(program, arguments, fmt):
    done = subprocess.run([program, *arguments, "--format", fmt], capture_output=True,
                          timeout=60)
    check(done.returncode == 0, f"{arguments} {fmt}: status {done.returncode} "
                                f"{done.stderr.decode()}")
    return done.stdout.decode("utf-8")


def clock(iso):
    return iso[11:16]


def check_night(program, arguments):
    rows = list(csv.DictReader(io.StringIO(run(program, arguments, "csv"))))
    objects = [json.loads(line) for line in run(program, arguments, "json").splitlines()]
    check([r["body"] for r in rows] == list(BODIES), f"{arguments}: CSV bodies")
    check(len(objects) == len(rows), f"{arguments}: as many JSON objects as CSV rows")
    for row, obj in zip(rows, objects):
        check(list(row) == list(obj), f"{arguments}: CSV and JSON fields differ")
        for name, text in row.items():
            value = obj[name]
            if text == "":
                check(value is None, f"{arguments} {row['body']} {name}: {value!r} for empty")
            elif isinstance(value, (int, float)):
                check(float(text) == value, f"{arguments} {row['body']} {name}: {text} {value}")
            else:
                check(text == value, f"{arguments} {row['body']} {name}: {text} {value}")
        times = {name: datetime.datetime.fromisoformat(row[name]) for name in TIMES if row[name]}
        for name, moment in times.items():
            check(moment.utcoffset() is not None, f"{arguments} {name}: no offset")
        if row["sighting"] == "visible":
            check(times["dark_start"] <= times["start"] <= times["best_time"] <= times["end"]
                  <= times["dark_end"], f"{arguments} {row['body']}: window out of order")
        elif row["sighting"]:
            check(not row["start"] and not row["best_time"],
                  f"{arguments} {row['body']}: a window for a body not seen")
    text = run(program, arguments, "text")
    for line in text.splitlines():
        check(len(line) <= 80, f"{arguments}: line of {len(line)} columns: {line}")
    flat = " ".join(text.split())
    for row in rows:
        if row["sighting"] != "visible":
            continue
        check(f"au mieux à {clock(row['best_time'])}" in flat,
              f"{arguments} {row['body']}: best time {row['best_time']} not in the text")
        if row["when"] == "all_night":
            check("toute la nuit" in flat, f"{arguments} {row['body']}: all night")
        elif row["when"] == "from_dusk":
            check(f"jusqu'à {clock(row['end'])}" in flat, f"{arguments} {row['body']}: end")
        elif row["when"] == "until_dawn":
            check(f"dès {clock(row['start'])}" in flat, f"{arguments} {row['body']}: start")
    picture = ElementTree.fromstring(run(program, arguments, "svg"))
    title = " ".join("".join(e.itertext()) for e in picture.iter("{http://www.w3.org/2000/svg}text"))
    best = [clock(r["best_time"]) for r in rows if r["best_time"]]
    if best:
        check(any(f"à {b}" in title for b in best), f"{arguments}: picture at none of {best}")
    return rows


def main():
    program = sys.argv[1]
    paris = check_night(program, list(NIGHTS[0]))
    for arguments in NIGHTS[1:]:
        check_night(program, list(arguments))
    by_body = {r["body"]: r for r in paris}
    check(by_body["mars"]["when"] == "all_night", "Paris: Mars all night")
    check(by_body["mars"]["constellation"] == "Gem", "Paris: Mars in Gemini")
    check(by_body["venus"]["when"] == "from_dusk", "Paris: Venus in the evening")
    check(by_body["saturn"]["when"] == "from_dusk", "Paris: Saturn in the evening")
    check(by_body["moon"]["phase"] == "waning_gibbous", "Paris: the Moon waning gibbous")
    check(16.5 < float(by_body["moon"]["age_days"]) < 17.5, "Paris: the Moon's age")
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
