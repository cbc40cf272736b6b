#!/usr/bin/env bash
# The precise theory beside Astronomy Engine (npm, MIT), side by side in one
# run: the peer is installed by npm in a temporary folder, the library's
# side is precise_bench from the developer build. Three figures:
#   one instant      nine apparent places; Astronomy Engine's nine Equator
#                    calls
#   a year of events the events of 2025 of the kinds both search (phases,
#                    seasons, apsides, conjunctions, oppositions,
#                    elongations); Astronomy Engine's searches of each kind
#   a year of days   365 days at Paris: rise, transit and set of the nine
#                    bodies and the three twilights; Astronomy Engine's
#                    SearchRiseSet, SearchHourAngle and SearchAltitude
# Run it on a quiet machine: both figures move with the load, the CPU
# times less than the wall-clock ones: on a loaded machine compare those.
#
#   bench/precise_peer.sh [BENCH]     BENCH default build/dev/precise_bench
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build/dev/precise_bench}
version=2.1.19
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-save --no-audit --no-fund --ignore-scripts \
  "astronomy-engine@$version" > /dev/null
peer="$work/node_modules/astronomy-engine"
for round in 1 2 3; do
  echo "round $round"
  "$bench" --benchmark_filter='^preciseInstant$' --benchmark_min_time=1 2> /dev/null |
    awk '/^preciseInstant/ { printf "precise theory, one instant: %.1f us wall, %.1f us CPU\n", $2 / 1000, $4 / 1000 }'
  node bench/precise_peer.js "$peer" instant
  "$bench" --benchmark_filter='^yearOf(Events|Days)AsPeer/' 2> /dev/null |
    awk '/^yearOf/ { printf "%s: %.1f ms wall, %.1f ms CPU\n", $1, $2, $4 }'
  node bench/precise_peer.js "$peer" events days
done
