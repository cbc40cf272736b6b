#!/usr/bin/env bash
# Flat memory over long runs: many dates piped through the dialogue, and a
# range of as many dates, each compared with a run of one thousand; and a
# year of a place's almanac, compared with ten days. The
# peak resident size (GNU time, package "time") must not grow with the
# number of dates, since nothing is kept from one date to the next and a
# range is produced one date at a time. Every report must arrive.
#
#   tests/robustness/flat_memory.sh [program] [dates]
#
# Defaults: build/default/ephemerides and 1000000 dates (about half a
# minute). Prints the peaks in kB and fails if a long run's peak exceeds
# its short run's by more than 10 %.
set -euo pipefail
cd "$(dirname "$0")/../.."
# What the program does by default must not come from the caller's place or zone.
unset EPHEMERIDES_LIEU TZ
program=${1:-build/default/ephemerides}
dates=${2:-1000000}

if [ ! -x /usr/bin/time ]; then
  echo "needs GNU time: apt-get install time" >&2
  exit 2
fi

# Prints "peak_kB lines" for the program fed $1 dates on standard input.
piped() {
  local log lines peak
  log=$(mktemp)
  lines=$(awk -v n="$1" 'BEGIN {
            for (i = 0; i < n; i++)
              printf "%d.%02d %d %d\n", 1 + i % 28, i % 100, 1 + i % 12, 1600 + i % 800
          }' | /usr/bin/time -v -o "$log" "$program" | wc -l)
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
  rm -f "$log"
  echo "$peak $lines"
}

# Prints "peak_kB lines" for a range of $1 dates one second apart.
ranged() {
  local log lines peak last
  log=$(mktemp)
  last=$(date -u -d "2000-01-01 00:00:00 UTC + $(($1 - 1)) seconds" +%Y-%m-%dT%H:%M:%S)
  lines=$(/usr/bin/time -v -o "$log" "$program" --from 2000-01-01 --to "$last" --step 1s | wc -l)
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
  rm -f "$log"
  echo "$peak $lines"
}

failed=0
check() {  # what short_peak long_peak short_lines long_lines expected_short expected_long
  echo "$1: peak resident size ${2} kB for 1000 dates, ${3} kB for $dates dates"
  if [ "$4" -ne "$6" ] || [ "$5" -ne "$7" ]; then
    echo "$1: reports missing: $4 and $5 lines" >&2
    failed=1
  fi
  if [ "$3" -gt $(($2 + $2 / 10)) ]; then
    echo "$1: memory grows with the number of dates" >&2
    failed=1
  fi
}

read -r short_peak short_lines < <(piped 1000)
read -r long_peak long_lines < <(piped "$dates")
# Banner (2 lines), 14 lines per report, the last prompt and its line end.
check "piped dates" "$short_peak" "$long_peak" "$short_lines" "$long_lines" \
  $((14 * 1000 + 3)) $((14 * dates + 3))

read -r short_peak short_lines < <(ranged 1000)
read -r long_peak long_lines < <(ranged "$dates")
check "range" "$short_peak" "$long_peak" "$short_lines" "$long_lines" \
  $((14 * 1000)) $((14 * dates))

# A place's almanac, day after day: ten days, then a whole year.
almanac() {
  local log lines peak
  log=$(mktemp)
  lines=$(/usr/bin/time -v -o "$log" "$program" --lieu Lyon --from 2025-01-01 --to "$1" \
            --step 1d --format csv | wc -l)
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
  rm -f "$log"
  echo "$peak $lines"
}
read -r short_peak short_lines < <(almanac 2025-01-10)
read -r long_peak long_lines < <(almanac 2025-12-31)
check "a year of a place's days" "$short_peak" "$long_peak" "$short_lines" "$long_lines" \
  $((9 * 10 + 1)) $((9 * 365 + 1))

[ "$failed" -eq 0 ] && echo "flat: every report arrived, each peak stayed within 10 %"
exit "$failed"
