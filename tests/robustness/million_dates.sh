#!/usr/bin/env bash
# Flat memory over a long piped run: one million dates through the program,
# compared with a run of one thousand. The peak resident size (GNU time,
# package "time") must not grow with the number of dates, since nothing is
# kept from one date to the next. Every report must arrive.
#
#   tests/robustness/million_dates.sh [program] [dates]
#
# Defaults: build/default/ephemerides and 1000000 dates (about a minute).
# Prints both peaks in kB and fails if the long run's peak exceeds the short
# run's by more than 1 MB.
set -euo pipefail
cd "$(dirname "$0")/../.."
program=${1:-build/default/ephemerides}
dates=${2:-1000000}
allowance_kb=1024

if [ ! -x /usr/bin/time ]; then
  echo "needs GNU time: apt-get install time" >&2
  exit 2
fi

# Prints "peak_kB report_lines" for a run of $1 dates, generated on the fly.
run() {
  local log
  log=$(mktemp)
  local lines
  lines=$(awk -v n="$1" 'BEGIN {
            for (i = 0; i < n; i++)
              printf "%d.%02d %d %d\n", 1 + i % 28, i % 100, 1 + i % 12, 1600 + i % 800
          }' | /usr/bin/time -v -o "$log" "$program" | wc -l)
  local peak
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
  rm -f "$log"
  echo "$peak $lines"
}

read -r short_peak short_lines < <(run 1000)
read -r long_peak long_lines < <(run "$dates")

echo "peak resident size, 1000 dates:   ${short_peak} kB"
echo "peak resident size, $dates dates: ${long_peak} kB"

# Banner (2 lines), 14 lines per report, the last prompt and its line end.
if [ "$short_lines" -ne $((14 * 1000 + 3)) ] || [ "$long_lines" -ne $((14 * dates + 3)) ]; then
  echo "reports missing: $short_lines and $long_lines lines" >&2
  exit 1
fi
if [ "$long_peak" -gt $((short_peak + allowance_kb)) ]; then
  echo "memory grows with the number of dates" >&2
  exit 1
fi
echo "flat: every report arrived, the peak stayed within ${allowance_kb} kB"
