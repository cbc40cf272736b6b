#!/usr/bin/env bash
# Writes frontend/place/places.csv again from the GeoNames data of Debian's
# libgeonames: compiles dump_cities.c in a scratch directory, runs it and
# hands its lines to make_places.py, which chooses, checks and writes.
# Needs libgeonames-dev, pkg-config, a C compiler and /usr/bin/python3.
#
#   tools/places/make_places.sh [OUTPUT]    (default: frontend/place/places.csv)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=${1:-$here/../../frontend/place/places.csv}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# shellcheck disable=SC2046 # pkg-config's flags are meant to split
cc -std=c11 -Wall -Wextra -O1 -o "$scratch/dump_cities" "$here/dump_cities.c" \
  $(pkg-config --cflags --libs geonames)
"$scratch/dump_cities" > "$scratch/cities.tsv"
/usr/bin/python3 "$here/make_places.py" "$output" < "$scratch/cities.tsv"
