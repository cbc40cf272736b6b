#!/usr/bin/env bash
# A century of eclipse searches (2000-2100) by the library beside
# Astronomy Engine's (npm, MIT), side by side in one run: the peer is
# installed by npm in a temporary folder, the library's side is
# eclipse_bench from the developer build. Run it on a quiet machine: both
# figures move with the load, the CPU times less than the wall-clock ones.
#
#   bench/eclipse_peer.sh [BENCH]     BENCH default build/dev/eclipse_bench
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build/dev/eclipse_bench}
version=2.1.19
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-save --no-audit --no-fund --ignore-scripts \
  "astronomy-engine@$version" > /dev/null
for round in 1 2 3; do
  echo "round $round"
  "$bench" --benchmark_min_time=1 2> /dev/null |
    awk '/Century/ { printf "ephemerides %s: %.1f ms wall, %.1f ms CPU, %s\n", $1, $2, $4, $NF }'
  node bench/eclipse_peer.js "$work/node_modules/astronomy-engine"
done
