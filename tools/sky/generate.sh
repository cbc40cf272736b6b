#!/usr/bin/env bash
# Regenerates the sky's tables (astro/sky/*.cpp and the licences beside
# them) from pinned versions of two npm packages installed in a temporary
# folder: astronomy-engine (MIT) for the IAU constellation boundaries and
# d3-celestial (BSD-3) for the stars and the constellation figures. Only
# this script needs npm and the network; the build uses the tables as
# committed.
#
#   tools/sky/generate.sh              write the tables
#   tools/sky/generate.sh --reference  write tests/data/constellations.csv,
#                                      the constellations Astronomy Engine
#                                      gives, for the tests
set -euo pipefail
engine=2.1.19
celestial=0.7.35
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-save --no-audit --no-fund --ignore-scripts \
  "astronomy-engine@$engine" "d3-celestial@$celestial" > /dev/null
modules="$work/node_modules"
if [ "${1:-}" = --reference ]; then
  node "$here/reference.mjs" "$modules/astronomy-engine" "$root/tests/data/constellations.csv"
else
  node "$here/generate.mjs" "$modules/astronomy-engine" "$modules/d3-celestial" "$root/astro/sky"
fi
