#!/usr/bin/python3
"""Chooses the program's places from the GeoNames cities that dump_cities
prints, checks them, and writes frontend/place/places.csv.

The places are:
  - the préfecture of every département (departements.csv: its code, its
    name, the chef-lieu as GeoNames spells it, the country code GeoNames
    gives it and the region GeoNames files it under, which tells homonyms
    apart);
  - every other French town (metropolitan and overseas départements) of at
    least 50,000 inhabitants by GeoNames' count, each with its département
    from towns.csv, which must list exactly those towns;
  - the world cities of world.csv, with their country in French.

Names are French where the library's French catalogue
(/usr/share/locale/fr/LC_MESSAGES/geonames.mo, keyed by geonameid) has a
translation ("Londres", "Saint-Étienne"), GeoNames' own otherwise; when
GeoNames' spelling differs after folding it becomes the alias ("London").
Coordinates are rounded to 0.01 degree.

The préfectures missing from the extract are said on standard error; those
below the extract's floor of 15,000 inhabitants come from
small_prefectures.csv (the official coordinates of their communes, typed),
any other stops the script. So does a place outside its country's box,
a French place whose time zone is not its département's, a zone unknown to
/usr/share/zoneinfo, or two places that the folded name and qualifier do
not tell apart.

Usage: dump_cities | make_places.py OUTPUT.csv
"""

import csv
import gettext
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
CATALOGUE = "/usr/share/locale/fr/LC_MESSAGES/geonames.mo"
ZONEINFO = "/usr/share/zoneinfo"
TOWN_FLOOR = 50000
# Préfectures under the extract's floor: absent from it, not typed in.
# Below the extract's floor: their coordinates come from small_prefectures.csv.
SMALL = {row["prefecture"]: row for row in csv.DictReader(
    (line for line in open(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                        "small_prefectures.csv"), encoding="utf-8")
     if not line.startswith("#")))}
EXPECTED_ABSENT = set(SMALL)

# The time zone and a box (south, north, west, east, degrees) of each
# country code of the French départements.
FRANCE = {
    "FR": ("Europe/Paris", (41.3, 51.1, -5.2, 9.6)),
    "GP": ("America/Guadeloupe", (15.8, 16.6, -61.9, -61.0)),
    "MQ": ("America/Martinique", (14.3, 14.9, -61.3, -60.8)),
    "GF": ("America/Cayenne", (2.1, 5.8, -54.6, -51.6)),
    "RE": ("Indian/Reunion", (-21.4, -20.8, 55.2, 55.9)),
    "YT": ("Indian/Mayotte", (-13.1, -12.6, 44.9, 45.4)),
}

HEADER = """\
# The places the program knows by name: the préfecture of each département,
# the other French towns of at least 50,000 inhabitants, and cities of the
# world. Written by tools/places/make_places.sh; do not edit by hand.
#
# Coordinates, populations, time zones and the French names come from
# GeoNames (https://www.geonames.org/), licensed under CC BY 4.0
# (https://creativecommons.org/licenses/by/4.0/), as Debian's package
# libgeonames0 carries them (its cities of 15,000 inhabitants and more, and
# the French catalogue of their names); chosen, rounded to 0.01 degree and
# given their département or country by the tools in tools/places. Three
# préfectures below that floor, Foix, Mende and Privas, have the
# coordinates of their communes in France's official geographic code
# (tools/places/small_prefectures.csv).
#
# name: as shown; qualifier: the département (France) or the country;
# alias: GeoNames' own spelling, where it differs; country: ISO 3166 code;
# latitude, longitude: degrees, north and east positive; zone: IANA name.
"""
COLUMNS = ["name", "qualifier", "alias", "country", "latitude", "longitude", "zone"]

# Letters whose decomposition does not give their base letter.
SPECIAL_FOLDS = {"æ": "ae", "ð": "d", "ø": "o", "þ": "th", "ß": "ss", "đ": "d", "ħ": "h",
                 "ı": "i", "ĳ": "ij", "ĸ": "k", "ŀ": "l", "ł": "l", "ŉ": "n", "ŋ": "n",
                 "œ": "oe", "ŧ": "t", "ſ": "s"}
SEPARATORS = {" ", "-", "'", "\u2019"}


def folded(name):
    """A name as the program compares names: lower case, Latin letters
    without their accents, without spaces, hyphens or apostrophes."""
    out = []
    for c in name.lower():
        if c in SEPARATORS:
            continue
        if 0xC0 <= ord(c) <= 0x17F and c not in "×÷":
            c = SPECIAL_FOLDS.get(c) or unicodedata.normalize("NFD", c)[0]
        out.append(c)
    return "".join(out)


def fail(message):
    sys.exit("make_places: " + message)


def read_table(name):
    with open(os.path.join(HERE, name), encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


def read_cities(stream):
    cities = []
    for line in stream:
        fields = line.rstrip("\n").split("\t")
        if len(fields) != 8:
            fail("a line of dump_cities has %d fields: %r" % (len(fields), line))
        ident, name, state, country, zone, population, latitude, longitude = fields
        cities.append({"id": ident, "name": name, "state": state, "country": country,
                       "zone": zone, "population": int(population),
                       "latitude": float(latitude), "longitude": float(longitude)})
    if not cities:
        fail("dump_cities printed nothing")
    return cities


def current_zones():
    """The current name of each zone GeoNames may give by an older one: a
    name tzdata keeps only as a link (Europe/Kiev) and not in zone.tab is
    its link's target (Europe/Kyiv)."""
    with open(os.path.join(ZONEINFO, "zone.tab"), encoding="utf-8") as tab:
        listed = {line.split("\t")[2].strip() for line in tab
                  if line.strip() and not line.startswith("#")}
    renamed = {}
    with open(os.path.join(ZONEINFO, "tzdata.zi"), encoding="utf-8") as data:
        for line in data:
            fields = line.split()
            if len(fields) == 3 and fields[0] == "L" and fields[2] not in listed:
                renamed[fields[2]] = fields[1]
    return renamed


CURRENT_ZONES = current_zones()


def place(city, french, qualifier):
    name = french.get(city["id"], city["name"])
    alias = city["name"] if folded(city["name"]) != folded(name) else ""
    return {"name": name, "qualifier": qualifier, "alias": alias, "country": city["country"],
            "latitude": "%.2f" % city["latitude"], "longitude": "%.2f" % city["longitude"],
            "zone": CURRENT_ZONES.get(city["zone"], city["zone"]), "_id": city["id"]}


def main():
    if len(sys.argv) != 2:
        fail("usage: dump_cities | make_places.py OUTPUT.csv")
    with open(CATALOGUE, "rb") as f:
        french = gettext.GNUTranslations(f)._catalog
    cities = read_cities(sys.stdin)
    by_name = {}
    for city in cities:
        by_name.setdefault((city["name"], city["country"]), []).append(city)

    departements = {row["code"]: row for row in read_table("departements.csv")}
    places = []
    taken = set()
    absent = []
    for row in departements.values():
        found = [c for c in by_name.get((row["prefecture"], row["country"]), [])
                 if c["state"] == row["region"]]
        if len(found) > 1:
            fail("several cities for the préfecture %s" % row["prefecture"])
        if not found:
            absent.append(row["prefecture"])
            if row["prefecture"] in SMALL:
                small = SMALL[row["prefecture"]]
                places.append({"name": row["prefecture"], "qualifier": row["departement"],
                               "alias": "", "country": row["country"],
                               "latitude": small["latitude"], "longitude": small["longitude"],
                               "zone": small["zone"], "_id": "small-" + row["prefecture"]})
            continue
        places.append(place(found[0], french, row["departement"]))
        taken.add(found[0]["id"])
    for name in absent:
        print("make_places: préfecture not in the extract: %s" % name, file=sys.stderr)
    if set(absent) - EXPECTED_ABSENT:
        fail("préfectures missing: %s" % ", ".join(sorted(set(absent) - EXPECTED_ABSENT)))

    towns = {(row["town"], row["country"]): row["code"] for row in read_table("towns.csv")}
    arrondissement = re.compile(r"^(Paris|Lyon|Marseille) \d+$")
    listed = set()
    for city in cities:
        if (city["country"] not in FRANCE or city["population"] < TOWN_FLOOR
                or city["id"] in taken or arrondissement.match(city["name"])):
            continue
        key = (city["name"], city["country"])
        if key not in towns:
            fail("no département for the town %s (%s) in towns.csv" % key)
        departement = departements[towns[key]]
        if departement["region"] != city["state"] or departement["country"] != city["country"]:
            fail("%s is in %s, not in the region of %s" %
                 (city["name"], city["state"], departement["departement"]))
        places.append(place(city, french, departement["departement"]))
        listed.add(key)
    if set(towns) - listed:
        fail("towns.csv lists towns not found above %d: %s" %
             (TOWN_FLOOR, ", ".join("%s (%s)" % key for key in sorted(set(towns) - listed))))
    places.sort(key=lambda p: (folded(p["name"]), p["qualifier"]))

    for row in read_table("world.csv"):
        found = by_name.get((row["city"], row["country"]), [])
        if len(found) != 1:
            fail("%d cities named %s in %s" % (len(found), row["city"], row["country"]))
        places.append(place(found[0], french, row["pays"]))

    check(places)
    with open(sys.argv[1], "w", encoding="utf-8", newline="") as out:
        out.write(HEADER)
        writer = csv.DictWriter(out, COLUMNS, extrasaction="ignore", lineterminator="\n")
        writer.writeheader()
        writer.writerows(places)
    print("make_places: %d places written to %s" % (len(places), sys.argv[1]), file=sys.stderr)


def check(places):
    seen = {}
    for p in places:
        latitude, longitude = float(p["latitude"]), float(p["longitude"])
        if p["country"] in FRANCE:
            zone, (south, north, west, east) = FRANCE[p["country"]]
            if p["zone"] != zone:
                fail("%s has the zone %s, not %s" % (p["name"], p["zone"], zone))
            if not (south <= latitude <= north and west <= longitude <= east):
                fail("%s (%s, %s) lies outside its box" % (p["name"], latitude, longitude))
        if not os.path.isfile(os.path.join(ZONEINFO, p["zone"])):
            fail("%s: no zone %s in %s" % (p["name"], p["zone"], ZONEINFO))
        key = (folded(p["name"]), folded(p["qualifier"]))
        if key in seen:
            fail("%s (%s) twice" % (p["name"], p["qualifier"]))
        seen[key] = p
        if p["_id"] in {q["_id"] for q in places if q is not p}:
            fail("%s taken twice" % p["name"])


if __name__ == "__main__":
    main()
