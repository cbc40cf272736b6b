#!/usr/bin/env bash
# The precise theory's instant (nine apparent places) beside Astronomy
# Engine's nine Equator calls (npm, MIT), side by side in one run: the
# peer is installed by npm in a temporary folder, the library's side is
# precise_bench from the developer build. Run it on a quiet machine: both
# figures move with the load, the CPU times less than the wall-clock ones.
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
for round in 1 2 3; do
  echo "round $round"
  "$bench" --benchmark_filter='^preciseInstant$' --benchmark_min_time=1 2> /dev/null |
    awk '/^preciseInstant/ { printf "precise theory, one instant: %.1f us wall, %.1f us CPU\n", $2 / 1000, $4 / 1000 }'
  node bench/precise_peer.js "$work/node_modules/astronomy-engine"
done
