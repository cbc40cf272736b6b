#!/usr/bin/python3
"""frontend/place/places.csv read back by Python's CSV parser: the attribution in
its header, the columns, each place's fields (a name and a qualifier, an
ISO country code, coordinates to 0.01 degree within range, a zone that
/usr/share/zoneinfo has), no field quoted (the program splits at commas),
the French places in their country's zone, and no two places that the
program could not tell apart by name and qualifier.

Usage: check_places.py PLACES.csv
"""

import csv
import os
import re
import sys
import unicodedata

COLUMNS = ["name", "qualifier", "alias", "country", "latitude", "longitude", "zone"]
FRENCH_ZONES = {"FR": "Europe/Paris", "GP": "America/Guadeloupe", "MQ": "America/Martinique",
                "GF": "America/Cayenne", "RE": "Indian/Reunion", "YT": "Indian/Mayotte"}
DEGREES = re.compile(r"^-?\d{1,3}\.\d\d$")


def folded(name):
    out = []
    for c in name.lower():
        if c in " -'\u2019":
            continue
        if 0xC0 <= ord(c) <= 0x17F and c not in "×÷":
            c = {"æ": "ae", "ø": "o", "œ": "oe", "ß": "ss", "ł": "l"}.get(c) or \
                unicodedata.normalize("NFD", c)[0]
        out.append(c)
    return "".join(out)


def main():
    with open(sys.argv[1], encoding="utf-8", newline="") as f:
        text = f.read()
    comments = [line for line in text.splitlines() if line.startswith("#")]
    errors = []
    if not any("GeoNames" in line for line in comments) or \
            not any("CC BY 4.0" in line for line in comments):
        errors.append("the header does not credit GeoNames under CC BY 4.0")
    if '"' in text:
        errors.append("a field is quoted")
    rows = list(csv.reader(line for line in text.splitlines() if not line.startswith("#")))
    if rows[0] != COLUMNS:
        errors.append("columns %s" % rows[0])
    # The zones by their current names: those of zone.tab (tzdata moves the
    # names it replaced, Europe/Kiev for Europe/Kyiv, to a legacy package).
    current = set()
    if os.path.isfile("/usr/share/zoneinfo/zone.tab"):
        with open("/usr/share/zoneinfo/zone.tab", encoding="utf-8") as tab:
            current = {line.split("\t")[2].strip() for line in tab
                       if line.strip() and not line.startswith("#")}
    keys = {}
    for row in rows[1:]:
        if len(row) != len(COLUMNS):
            errors.append("%d fields: %s" % (len(row), row))
            continue
        place = dict(zip(COLUMNS, row))
        where = "%s (%s)" % (place["name"], place["qualifier"])
        if not place["name"] or not place["qualifier"] or \
                not re.fullmatch(r"[A-Z]{2}", place["country"]):
            errors.append("%s: name, qualifier or country missing" % where)
        for field, limit in (("latitude", 90), ("longitude", 180)):
            value = place[field]
            if not DEGREES.match(value) or abs(float(value)) > limit:
                errors.append("%s: %s %r" % (where, field, value))
        if not os.path.isfile(os.path.join("/usr/share/zoneinfo", place["zone"])):
            errors.append("%s: no zone %s" % (where, place["zone"]))
        if current and place["zone"] not in current:
            errors.append("%s: zone %s is not a current name" % (where, place["zone"]))
        french = FRENCH_ZONES.get(place["country"])
        if french and place["zone"] != french:
            errors.append("%s: zone %s" % (where, place["zone"]))
        key = (folded(place["name"]), folded(place["qualifier"]))
        if key in keys:
            errors.append("%s twice" % where)
        keys[key] = place
    if len(keys) < 200 or not ("paris", "paris") in keys:
        errors.append("only %d places" % len(keys))
    for error in errors:
        print(error)
    print("%d places, %d errors" % (len(keys), len(errors)))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
