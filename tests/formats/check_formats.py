#!/usr/bin/python3
"""CSV and JSON read back by Python's own parsers and held against the text report.

The same dates go through the program three times: --format text, csv and
json. Every line of the JSON output must parse, and carry exactly the
numbers of the CSV output. Every field the text report prints must be the
cut of the full value that CSV gives: hours, minutes and seconds of the
right ascension and the sidereal time, sign, degrees and minutes of the
declination, the distance cut to four decimals and shown to five significant
digits, the Moon's whole percentage, the Julian Day to eleven digits. A
position the report calls "incalculable" must have the status
not_computable and no values, and the date its message on standard error
and the status 1. Whole numbers are written as integers (the year 100000
too), a date's status agrees with its bodies', and `datetime` is the date
read back by Python's own calendar (Gregorian, so from 1583 on).

Usage: check_formats.py PROGRAM
"""

import csv
import datetime
import io
import json
import math
import os
import random
import subprocess
import sys
import zoneinfo

# What the program does by default must not come from the caller's place or
# time zone: the checks give them on the command line when they need them.
for variable in ("EPHEMERIDES_LIEU", "TZ"):
    os.environ.pop(variable, None)

BODIES = ("sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune")
NAMES = ("Soleil", "Lune", "Mercure", "Venus", "Mars", "Jupiter", "Saturne", "Uranus", "Neptune")
# A printed unit may differ from the cut of the full value where that value
# lies within this much of a unit's edge: the report brings declinations
# into range by adding and removing a whole turn, which can move the last
# bit.
EDGE = 1e-9


def dates():
    fixed = ["1.5/1/2000", "10/4/1987", "15/6/1850", "2024-04-08T18:21", "1/1/-500",
             "1/1/3500", "1/1/81910", "1e300/1/2000", "0.25/3/1582", "31.99/12/2999",
             "1/1/100000", "1e16/1/2000", "0/13/2000"]
    rng = random.Random(11)
    drawn = [f"{rng.randint(1, 28) + rng.randint(0, 99) / 100}/{rng.randint(1, 12)}/"
             f"{rng.randint(1000, 3000)}" for _ in range(300)]
    return fixed + drawn


# The dates whose positions cannot all be computed, each said on standard
# error, which makes the status 1.
NOT_COMPUTABLE = {"1/1/81910", "1e300/1/2000", "1/1/100000", "1e16/1/2000"}


def run(program, fmt, words):
    done = subprocess.run([program, "--format", fmt, *words], capture_output=True, text=True,
                          timeout=120)
    said = {line.split('"')[1] for line in done.stderr.splitlines()
            if line.startswith(("Date incalculable", "Position incalculable"))}
    if done.returncode != 1 or said != NOT_COMPUTABLE & set(words):
        sys.exit(f"--format {fmt}: exit status {done.returncode}: {done.stderr}")
    return done.stdout


def text_reports(text):
    lines = text.split("\n")
    reports = []
    for start in range(0, len(lines) - 1, 14):
        reports.append(lines[start:start + 14])
    return reports


def number(field):
    return float(field) if field != "" else None


def cut_hms(hours):
    minutes = math.fmod(hours, 1) * 60
    seconds = math.fmod(minutes, 1) * 60
    return [math.floor(hours), math.floor(minutes), math.floor(seconds)]


def near_edge(value):
    return abs(value - round(value)) < EDGE


def check_hms(printed, hours, what):
    h, m, s = (int(printed[0:2]), int(printed[4:6]), int(printed[8:10]))
    expected = cut_hms(hours)
    if [h, m, s] != expected:
        minutes = math.fmod(hours, 1) * 60
        if not (near_edge(hours) or near_edge(minutes) or near_edge(math.fmod(minutes, 1) * 60)):
            sys.exit(f"{what}: printed {printed!r}, full value {hours!r} h gives {expected}")


def check_declination(printed, degrees, what):
    sign = "-" if degrees < 0 else " "
    whole = math.floor(abs(degrees))
    minutes = math.floor(abs(math.fmod(degrees, 1) * 60))
    expected = f"{sign}{whole:2d} deg {minutes:2d}'"
    if printed != expected and not (near_edge(degrees) or near_edge(math.fmod(degrees, 1) * 60)):
        sys.exit(f"{what}: printed {printed!r}, full value {degrees!r} deg gives {expected!r}")


def check_distance(printed, distance, what):
    cut = math.floor(distance * 10000) / 10000
    if printed.strip() != f"{cut:.5g}" and not near_edge(distance * 10000):
        sys.exit(f"{what}: printed {printed!r}, full value {distance!r} gives {cut:.5g}")


def check_date_fields(word, row, obj):
    """Integers as integers, the datetime as a calendar reads it, statuses
    that agree."""
    # Caught: the year 100000 was written 1e+05.
    for key in ("year", "month"):
        if not isinstance(obj[key], int) or row[key] != str(obj[key]):
            sys.exit(f"{word}: {key} written {row[key]!r} in CSV, {obj[key]!r} in JSON")
    # Caught: a range or an ISO word gave no readable time.
    if row["datetime"] != (obj["datetime"] or ""):
        sys.exit(f"{word}: datetime {row['datetime']!r} in CSV, {obj['datetime']!r} in JSON")
    if obj["datetime"] and 1583 <= obj["year"] <= 9999 and obj["month"] <= 12:
        moment = datetime.datetime.fromisoformat(obj["datetime"])
        day = datetime.datetime(obj["year"], obj["month"], 1) + datetime.timedelta(
            days=obj["day"] - 1)
        if abs((moment - day).total_seconds()) > 0.0005:
            sys.exit(f"{word}: datetime {obj['datetime']} is not day {obj['day']!r}")
    # Caught: the date said outside_measured_span while every body said
    # not_computable.
    statuses = {b["status"] for b in obj["bodies"]}
    if statuses == {"not_computable"} and obj["status"] != "not_computable":
        sys.exit(f"{word}: the date's status {obj['status']}, its bodies' {statuses}")


OUTCOMES = {"occurs", "always_above", "always_below", "not_this_day"}


def check_place(program):
    """With a place: CSV and JSON agree; every time reads back as ISO 8601
    with the zone's offset and lies in the local day, in order; the text
    block shows each time cut to the minute."""
    words = ["2025-06-21T12:00", "2025-12-21T23:30", "2024-04-08T18:21"]
    for place in ("Paris", "Tromsø", "-33.87,151.21"):
        arguments = ["--lieu", place] + (["--fuseau", "Australia/Sydney"] if "," in place else [])
        csv_text = subprocess.run([program, *arguments, "--format", "csv", *words],
                                  capture_output=True, text=True, check=True).stdout
        rows = list(csv.DictReader(io.StringIO(csv_text)))
        objects = [json.loads(line) for line in subprocess.run(
            [program, *arguments, "--format", "json", *words], capture_output=True, text=True,
            check=True).stdout.splitlines()]
        text = subprocess.run([program, *arguments, *words], capture_output=True, text=True,
                              check=True).stdout
        for d, obj in enumerate(objects):
            local = datetime.datetime.fromisoformat(obj["local_time"])
            for b, body in enumerate(obj["bodies"]):
                row = rows[9 * d + b]
                what = f"{place} {words[d]} {body['body']}"
                times = {}
                for key in ("rise", "transit", "set"):
                    if (row[key] or None) != body[key] or row[key + "_status"] != body[
                            key + "_status"]:
                        sys.exit(f"{what}: {key} differs between CSV and JSON")
                    if body[key + "_status"] not in OUTCOMES:
                        sys.exit(f"{what}: {key}_status {body[key + '_status']!r}")
                    if (body[key] is None) != (body[key + "_status"] != "occurs"):
                        sys.exit(f"{what}: {key} {body[key]!r} with {body[key + '_status']}")
                    if body[key]:
                        times[key] = datetime.datetime.fromisoformat(body[key])
                        if times[key].date() != local.date() or times[key].utcoffset() is None:
                            sys.exit(f"{what}: {key} {body[key]} outside {local.date()}")
                        # The offset is the zone's, as Python's own tz
                        # database reads it.
                        zone = zoneinfo.ZoneInfo(obj["zone"])
                        if times[key].utcoffset() != times[key].astimezone(zone).utcoffset():
                            sys.exit(f"{what}: {key} {body[key]} is not on the clock of {zone}")
                        # The text block shows the time cut to the minute.
                        if times[key].strftime("%H:%M") not in text:
                            sys.exit(f"{what}: {key} {times[key]:%H:%M} not in the text block")
    print("a place: CSV, JSON and the text block agree; every time reads back")


def instant(text):
    return datetime.datetime.fromisoformat(text.replace("Z", "+00:00"))


def check_calendar_rows(events, rows, what):
    """Each calendar event starts at its row's instant, or at its first
    contact (c1) and ends at its last (c4) for a transit or an occultation."""
    for event, row in zip(events, rows):
        start = event["DTSTART"].dt
        if start != instant(row.get("c1") or row["time_utc"]):
            sys.exit(f"{what}: DTSTART {start} for {row['time_utc']} (c1 {row.get('c1')!r})")
        if row.get("c4") and event["DTEND"].dt != instant(row["c4"]):
            sys.exit(f"{what}: DTEND {event['DTEND'].dt} for c4 {row['c4']}")
        if row["event"] not in str(event["UID"]) or not str(event["SUMMARY"]):
            sys.exit(f"{what}: {event['UID']} {event['SUMMARY']!r} for {row['event']}")


def check_transits_and_occultations(program, icalendar):
    """The transit of Mercury of 2019 seen from Paris and the occultations
    of 2025 there where the Moon is up (Saturn, Neptune, Venus): contacts in
    order around the event's instant, CSV, JSON and the calendar alike."""
    cases = [(["--evenements", "2019", "--types", "passage"], ["transit"]),
             (["--evenements", "2025", "--types", "occultation"], ["occultation"] * 3)]
    for extra, kinds in cases:
        arguments = [program, *extra, "--lieu", "Paris"]
        rows = list(csv.DictReader(io.StringIO(subprocess.run(
            arguments + ["--format", "csv"], capture_output=True, text=True,
            check=True).stdout)))
        objects = [json.loads(line) for line in subprocess.run(
            arguments + ["--format", "json"], capture_output=True, text=True,
            check=True).stdout.splitlines()]
        if [r["event"] for r in rows] != kinds or [o["event"] for o in objects] != kinds:
            sys.exit(f"{extra}: {[r['event'] for r in rows]} for {kinds}")
        for row, obj in zip(rows, objects):
            contacts = [instant(row[c]) for c in ("c1", "c2", "c3", "c4")]
            if contacts != sorted(contacts) or not contacts[0] <= instant(row["time_utc"]) <= contacts[3]:
                sys.exit(f"{extra}: contacts {contacts} around {row['time_utc']}")
            if any(obj[c] != row[c] for c in ("c1", "c2", "c3", "c4")):
                sys.exit(f"{extra}: JSON contacts differ from CSV")
        if kinds == ["transit"] and (rows[0]["unit"] != "arcsec"
                                     or abs(float(rows[0]["value"]) - 76) > 5):
            sys.exit(f"transit: least separation {rows[0]['value']} {rows[0]['unit']}")
        if icalendar is not None:
            ics = subprocess.run(arguments + ["--format", "ics"], capture_output=True,
                                 check=True).stdout
            events = list(icalendar.Calendar.from_ical(ics).walk("VEVENT"))
            check_calendar_rows(events, rows, " ".join(extra))
            word = "contacts C1" if kinds == ["transit"] else "disparition"
            for event in events:
                text = str(event.get("DESCRIPTION", ""))
                if not text.startswith("Heures du fuseau Europe/Paris\n") or word not in text:
                    sys.exit(f"{extra}: description {text!r}")
    print("transits and occultations: contacts in order, CSV, JSON and the calendar agree")


def check_events(program):
    """The events of a year: CSV and JSON agree; the iCalendar file parses
    with a real calendar parser, holds the same events at the same UTC
    instants, and keeps each event's UID from one run to the next."""
    arguments = [program, "--evenements", "2025", "--fuseau", "Europe/Paris"]
    rows = list(csv.DictReader(io.StringIO(subprocess.run(
        arguments + ["--format", "csv"], capture_output=True, text=True, check=True).stdout)))
    objects = [json.loads(line) for line in subprocess.run(
        arguments + ["--format", "json"], capture_output=True, text=True,
        check=True).stdout.splitlines()]
    if len(rows) != len(objects) or len(rows) < 100:
        sys.exit(f"events: {len(rows)} CSV rows, {len(objects)} JSON lines")
    zone = zoneinfo.ZoneInfo("Europe/Paris")
    for row, obj in zip(rows, objects):
        for key, text in row.items():
            value = obj[key]
            if (str(value) if value is not None else "") != text and \
                    not (key == "value" and text and float(text) == value):
                sys.exit(f"events: {key} {text!r} in CSV, {value!r} in JSON")
        utc = datetime.datetime.fromisoformat(obj["time_utc"].replace("Z", "+00:00"))
        local = datetime.datetime.fromisoformat(obj["local_time"])
        if local != utc or local.utcoffset() != utc.astimezone(zone).utcoffset():
            sys.exit(f"events: {obj['local_time']} is not {obj['time_utc']} in {zone}")
    if [r["event"] for r in rows].count("full_moon") not in (12, 13):
        sys.exit("events: not 12 or 13 full moons in 2025")

    try:
        import icalendar
    except ImportError:
        print("events: no icalendar module (python3-icalendar): the calendar is not read back")
        check_transits_and_occultations(program, None)
        return
    ics = subprocess.run(arguments + ["--format", "ics"], capture_output=True,
                         check=True).stdout
    again = subprocess.run(arguments + ["--format", "ics"], capture_output=True,
                           check=True).stdout
    if ics != again or b"\r\n" not in ics:
        sys.exit("events: the calendar differs from one run to the next, or lacks CRLF")
    calendar = icalendar.Calendar.from_ical(ics)
    events = list(calendar.walk("VEVENT"))
    uids = [str(e["UID"]) for e in events]
    if len(events) != len(rows) or len(set(uids)) != len(uids):
        sys.exit(f"events: {len(events)} calendar events, {len(set(uids))} UIDs, {len(rows)} rows")
    # Caught: the categories were the ids of CSV and JSON, and an instant
    # without an end, which calendar programs draw as an hour-long block
    # (crossing midnight for a late one): it ends as it begins.
    groups = {"Phases de la Lune": ("new_moon", "first_quarter", "full_moon", "last_quarter"),
              "Saisons": ("march_equinox", "june_solstice", "september_equinox",
                          "december_solstice"),
              "Périhélie et aphélie": ("perihelion", "aphelion"),
              "Périgée et apogée": ("perigee", "apogee"),
              "Conjonctions": ("inferior_conjunction", "superior_conjunction", "conjunction"),
              "Oppositions": ("opposition",),
              "Élongations": ("greatest_elongation_east", "greatest_elongation_west"),
              "Rapprochements": ("close_approach",),
              "Éclipses": ("solar_eclipse", "lunar_eclipse"),
              "Passages devant le Soleil": ("transit",),
              "Occultations": ("occultation",)}
    category = {kind: name for name, kinds in groups.items() for kind in kinds}
    eclipses = 0
    for event, row in zip(events, rows):
        start = event["DTSTART"].dt
        # An eclipse lasts from its first contact to its last (the partial
        # phase on the Earth without a place); any other event is a moment.
        if row["event"] in ("solar_eclipse", "lunar_eclipse"):
            eclipses += 1
            first, last = (row["p1"], row["p4"]) if row["p1"] else (row["c1"], row["c4"])
            when = datetime.datetime.fromisoformat(row["time_utc"].replace("Z", "+00:00"))
            end = event["DTEND"].dt
            if start != datetime.datetime.fromisoformat(first.replace("Z", "+00:00")) or \
                    end != datetime.datetime.fromisoformat(last.replace("Z", "+00:00")) or \
                    not start < when < end or not str(event.get("DESCRIPTION", "")):
                sys.exit(f"events: eclipse {row['time_utc']} from {start} to {end}, "
                         f"contacts {first} {last}")
        elif start != datetime.datetime.fromisoformat(row["time_utc"].replace("Z", "+00:00")):
            sys.exit(f"events: DTSTART {start} for {row['time_utc']}")
        moment = row["event"] not in ("solar_eclipse", "lunar_eclipse")
        if (moment and event["DTEND"].dt != start) or str(event["TRANSP"]) != "TRANSPARENT":
            sys.exit(f"events: DTEND {event['DTEND'].dt} for DTSTART {start}")
        categories = [str(c) for c in event["CATEGORIES"].cats]
        if categories != [category[row["event"]]]:
            sys.exit(f"events: categories {categories} for {row['event']}")
        if row["event"] not in str(event["UID"]) or not str(event["SUMMARY"]):
            sys.exit(f"events: {event['UID']} {event['SUMMARY']!r} for {row['event']}")
    # 2025: the total eclipses of the Moon of 14 March and 7 September, the
    # partial eclipses of the Sun of 29 March and 21 September.
    kinds = [(r["event"], r["eclipse_kind"], r["time_utc"][:10]) for r in rows if r["eclipse_kind"]]
    if kinds != [("lunar_eclipse", "total", "2025-03-14"), ("solar_eclipse", "partial", "2025-03-29"),
                 ("lunar_eclipse", "total", "2025-09-07"), ("solar_eclipse", "partial", "2025-09-21")]:
        sys.exit(f"events: the eclipses of 2025 are {kinds}")
    print(f"events: {len(rows)} in 2025 ({eclipses} eclipses), CSV, JSON and the calendar agree")
    check_transits_and_occultations(program, icalendar)
    check_calendar_of_1500(program, icalendar)


def check_precise(program):
    """--precis: CSV and JSON agree, every row says "precise" and carries
    its apparent place; the apparent place lies within 2' of the geometric
    one (aberration 20", nutation 17", a planet's motion over the light-time
    up to about 40"), and the text report prints the CSV's values cut as without
    --precis. Outside 1800-2200 the rows say outside_measured_span."""
    words = ["1.5/1/2000", "2025-03-20T09:01", "1/1/1850", "1/1/2150", "1/1/1700", "1/1/2300"]
    outside = {"1/1/1700", "1/1/2300"}
    arguments = [program, "--precis", *words]
    rows = list(csv.DictReader(io.StringIO(subprocess.run(
        arguments + ["--format", "csv"], capture_output=True, text=True).stdout)))
    objects = [json.loads(line) for line in subprocess.run(
        arguments + ["--format", "json"], capture_output=True, text=True).stdout.splitlines()]
    text = text_reports(subprocess.run(arguments, capture_output=True, text=True).stdout)
    if len(rows) != 9 * len(words) or len(objects) != len(words) or len(text) != len(words):
        sys.exit(f"--precis: {len(rows)} rows, {len(objects)} objects, {len(text)} reports")
    for d, (word, obj) in enumerate(zip(words, objects)):
        expected = "outside_measured_span" if word in outside else "computed"
        if obj["status"] != expected:
            sys.exit(f"--precis {word}: status {obj['status']}")
        for b, value in enumerate(obj["bodies"]):
            row = rows[9 * d + b]
            what = f"--precis {word} {value['body']}"
            for key, field in row.items():
                if key in obj:
                    continue
                member = value[key]
                if isinstance(member, float) or isinstance(member, int):
                    if float(field) != member:
                        sys.exit(f"{what}: {key} {field!r} in CSV, {member!r} in JSON")
                elif (member or "") != field:
                    sys.exit(f"{what}: {key} {field!r} in CSV, {member!r} in JSON")
            if value["theory"] != "precise" or value["status"] != expected:
                sys.exit(f"{what}: theory {value['theory']}, status {value['status']}")
            ra, dec = value["apparent_ra_h"], value["apparent_dec_deg"]
            d_ra = (ra - value["ra_h"] + 12) % 24 - 12
            apart = math.hypot(d_ra * 15 * math.cos(math.radians(dec)),
                               dec - value["dec_deg"]) * 3600
            if word not in outside and not apart < 120:
                sys.exit(f"{what}: apparent place {apart:.1f}\" from the geometric one")
            line = text[d][4 + b]
            check_hms(line[12:23], value["ra_h"], f"{what} right ascension")
            check_declination(line[30:41], value["dec_deg"], f"{what} declination")
    print(f"--precis: {len(words)} dates, CSV, JSON and the text agree; apparent places given")


def check_zone_notes(program):
    """Caught: Kyiv's zone by its old name (Europe/Kiev, which newer tz data
    moves to a legacy package, then UTC without a word), and a TZ naming no
    zone taken as UTC without a word."""
    done = subprocess.run([program, "--lieu", "Kyiv", "2025-06-01T12:00", "--format", "csv"],
                          capture_output=True, text=True)
    row = next(csv.DictReader(io.StringIO(done.stdout)))
    local = datetime.datetime.fromisoformat(row["local_time"])
    expected = local.replace(tzinfo=zoneinfo.ZoneInfo("Europe/Kyiv")).utcoffset()
    if done.returncode != 0 or done.stderr or row["zone"] != "Europe/Kyiv" or \
            local.utcoffset() != expected:
        sys.exit(f"Kyiv: {row['zone']} {row['local_time']}, status {done.returncode}, "
                 f"{done.stderr!r}")
    for tz in ("garbage!!", ":/etc/passwd"):
        # Coordinates far from every known place (mid-Atlantic): TZ's zone
        # is the one they would take.
        for arguments, note in ((["--lieu", "0,-30"], True), (["--fuseau", "UTC"], False),
                                ([], False)):
            done = subprocess.run([program, *arguments, "2025-06-01"], capture_output=True,
                                  text=True, env={**os.environ, "TZ": tz})
            said = f'Note : la variable TZ ("{tz}")' in done.stderr
            if done.returncode != 0 or said != note:
                sys.exit(f"TZ={tz} {arguments}: status {done.returncode}, {done.stderr!r}")
    print("zones: Kyiv by its current name; a TZ naming no zone gets a note where it is used")


def check_default_place_named(program):
    """Caught: a bad EPHEMERIDES_LIEU was refused without naming the
    variable, to a user who typed no --lieu; --lieu, when given, is the one
    quoted."""
    for place, arguments, said in (
            ("Atlantis", [], 'Lieu invalide dans EPHEMERIDES_LIEU : "Atlantis"'),
            ("91,0", [], 'Lieu invalide dans EPHEMERIDES_LIEU : "91,0"'),
            ("Atlantis", ["--lieu", "Atlant"], 'ephemerides : Lieu invalide : "Atlant"')):
        done = subprocess.run([program, *arguments, "2025-06-21"], capture_output=True,
                              text=True, env={**os.environ, "EPHEMERIDES_LIEU": place})
        if done.returncode != 2 or said not in done.stderr or done.stdout:
            sys.exit(f"EPHEMERIDES_LIEU={place} {arguments}: status {done.returncode}, "
                     f"{done.stderr!r}")
    print("places: a bad EPHEMERIDES_LIEU is refused by its name")


def gregorian_of_program_date(text):
    """The proleptic Gregorian datetime of a time_utc of the program, whose
    dates are Julian before 1582-10-15: through the Julian Day Number."""
    day, time = text.rstrip("Z").split("T")
    year, month, mday = (int(part) for part in day.split("-"))
    if (year, month, mday) >= (1582, 10, 15):
        number = datetime.date(year, month, mday).toordinal() + 1721425
    else:  # the Julian calendar's day number, by the usual formula
        a = (14 - month) // 12
        y = year + 4800 - a
        m = month + 12 * a - 3
        number = mday + (153 * m + 2) // 5 + 365 * y + y // 4 - 32083
    clock = datetime.time.fromisoformat(time)
    return datetime.datetime.combine(datetime.date.fromordinal(number - 1721425), clock,
                                      datetime.timezone.utc)


def check_calendar_of_1500(program, icalendar):
    """Caught: the calendar of 1500 wrote the program's Julian dates under
    CALSCALE:GREGORIAN (the equinox 9 days early, a 29 February 1500 that
    Python cannot read). Every DTSTART must be the CSV's instant on the
    proleptic Gregorian calendar, the March equinox on 21 March, every UID
    unique."""
    arguments = [program, "--evenements", "1500"]
    rows = list(csv.DictReader(io.StringIO(subprocess.run(
        arguments + ["--format", "csv"], capture_output=True, text=True).stdout)))
    done = subprocess.run(arguments + ["--format", "ics"], capture_output=True)
    if done.returncode != 0:
        sys.exit(f"calendar of 1500: status {done.returncode}: {done.stderr!r}")
    events = list(icalendar.Calendar.from_ical(done.stdout).walk("VEVENT"))
    uids = [str(e["UID"]) for e in events]
    if len(events) != len(rows) or len(events) < 100 or len(set(uids)) != len(uids):
        sys.exit(f"calendar of 1500: {len(events)} events, {len(set(uids))} UIDs, "
                 f"{len(rows)} rows")
    for event, row in zip(events, rows):
        start = event["DTSTART"].dt
        # An eclipse's event begins at its first contact.
        first = (row["p1"] or row["c1"]) if row["eclipse_kind"] else row["time_utc"]
        if start != gregorian_of_program_date(first):
            sys.exit(f"calendar of 1500: DTSTART {start} for {row['time_utc']} (Julian)")
        if row["event"] == "march_equinox" and start.date() != datetime.date(1500, 3, 21):
            sys.exit(f"calendar of 1500: the March equinox on {start}")
    if "march_equinox" not in [r["event"] for r in rows]:
        sys.exit("calendar of 1500: no March equinox")
    print(f"events: the calendar of 1500 reads back, {len(events)} events, proleptic Gregorian")


def main():
    program = sys.argv[1]
    words = dates()
    text = text_reports(run(program, "text", words))
    rows = list(csv.DictReader(io.StringIO(run(program, "csv", words))))
    objects = [json.loads(line) for line in run(program, "json", words).splitlines()]
    if not (len(text) == len(objects) == len(words) and len(rows) == 9 * len(words)):
        sys.exit(f"{len(words)} dates: {len(text)} reports, {len(rows)} CSV rows, "
                 f"{len(objects)} JSON lines")

    for d, (word, report, obj) in enumerate(zip(words, text, objects)):
        header = report[0]
        if obj["date"] != word:
            sys.exit(f"JSON date {obj['date']!r} for {word!r}")
        check_date_fields(word, rows[9 * d], obj)
        jd_text = header.split("(Jour Julien : ")[1].split(")")[0]
        if obj["jd"] is not None and jd_text != f"{obj['jd']:.11g}":
            sys.exit(f"{word}: header Julian Day {jd_text}, full {obj['jd']!r}")
        sidereal = header.split("(Temps siderale : ")[1].rstrip(")")
        if obj["sidereal_h"] is not None:
            check_hms(sidereal, obj["sidereal_h"], f"{word} sidereal time")
        for b, (body, name) in enumerate(zip(BODIES, NAMES)):
            row = rows[9 * d + b]
            value = obj["bodies"][b]
            line = report[4 + b]
            what = f"{word} {body}"
            if row["body"] != body or value["body"] != body or line[1:8].strip() != name:
                sys.exit(f"{what}: rows out of order")
            for key in ("ra_h", "dec_deg", "distance_au", "distance_km", "illuminated_fraction",
                        "magnitude", "phase_angle_deg", "apparent_diameter_arcsec",
                        "elongation_deg", "apparent_ra_h", "apparent_dec_deg"):
                if number(row[key]) != value[key]:
                    sys.exit(f"{what}: {key} is {row[key]!r} in CSV, {value[key]!r} in JSON")
            # Without --precis every row is the classic theory's, with no
            # apparent place.
            if value["theory"] != "classic" or value["apparent_ra_h"] is not None:
                sys.exit(f"{what}: theory {value['theory']}, apparent {value['apparent_ra_h']}")
            for key in ("status", "magnitude_status", "elongation_side", "theory"):
                if row[key] != (value[key] or ""):
                    sys.exit(f"{what}: {key} {row[key]} in CSV, {value[key]} in JSON")
            if value["status"] != "not_computable" and body != "sun" and (
                    value["elongation_side"] not in ("east", "west") or
                    not 0 <= value["illuminated_fraction"] <= 1):
                sys.exit(f"{what}: side {value['elongation_side']!r}, "
                         f"fraction {value['illuminated_fraction']!r}")
            if "incalculable" in line:
                if row["status"] != "not_computable" or value["ra_h"] is not None:
                    sys.exit(f"{what}: no position in the report, but {row}")
                continue
            check_hms(line[12:23], value["ra_h"], f"{what} right ascension")
            check_declination(line[30:41], value["dec_deg"], f"{what} declination")
            distance = value["distance_km"] / 1000 if body == "moon" else value["distance_au"]
            check_distance(line[46:52] if body == "moon" else line[46:], distance, what)
            if body == "moon":
                percent = int(line[58:].rstrip("%"))
                if percent != math.floor(100 * value["illuminated_fraction"]):
                    sys.exit(f"{what}: {percent}% for {value['illuminated_fraction']!r}")
    print(f"{len(words)} dates: CSV and JSON agree, and every printed field is their cut")
    check_place(program)
    check_precise(program)
    check_events(program)
    check_zone_notes(program)
    check_default_place_named(program)


if __name__ == "__main__":
    main()
