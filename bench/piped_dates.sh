#!/usr/bin/env bash
# Whole-process timing: pipes COUNT varied dates through the program, with
# its output going to OUTPUT, under /usr/bin/time -v, RUNS times; prints the
# wall time and peak resident size of each run and the median wall time.
#
#   bench/piped_dates.sh [PROGRAM] [COUNT]
#   PROGRAM  default build/default/ephemerides
#   COUNT    default 100000
#   RUNS=5 OUTPUT=/dev/null in the environment
#
# The dates are those of bench/make_dates.sh, the same on every call. To
# compare two builds byte for byte, keep their output:
#   OUTPUT=before.txt RUNS=1 bench/piped_dates.sh old/ephemerides 10000
set -euo pipefail

program=${1:-build/default/ephemerides}
count=${2:-100000}
runs=${RUNS:-5}
output=${OUTPUT:-/dev/null}

if [ ! -x /usr/bin/time ]; then
  echo "piped_dates.sh: /usr/bin/time is missing (Debian package 'time')" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$(dirname "$0")/make_dates.sh" "$count" > "$work/dates"

echo "$count dates through $program into $output, $runs runs"
walls=()
for ((run = 1; run <= runs; run++)); do
  /usr/bin/time -v -o "$work/time" "$program" < "$work/dates" > "$output"
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {
    n = split($2, p, ":"); s = 0
    for (i = 1; i <= n; i++) s = s * 60 + p[i]
    printf "%.2f", s
  }' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
  cpu=$(awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 }
                    END { printf "user %.2f s, system %.2f s", u, s }' "$work/time")
  echo "run $run: wall $wall s, $cpu, peak RSS $rss kB"
  walls+=("$wall")
done
printf '%s\n' "${walls[@]}" | sort -n |
  awk '{ w[NR] = $1 } END { printf "median wall time: %.2f s\n", NR % 2 ? w[(NR + 1) / 2] : (w[NR / 2] + w[NR / 2 + 1]) / 2 }'
