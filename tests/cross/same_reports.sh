#!/usr/bin/env bash
# The program built for another processor, run through an emulator, against
# the host's program on the same dates: the text reports of 10,000 dates from
# 1000 to 3000 byte for byte, and the CSV rows of 5,000 of them to the last
# digit, all but the magnitude, which goes through the C library's log10,
# whose last bit is not the same on every processor.
#
#   tests/cross/same_reports.sh HOST_PROGRAM "EMULATOR AND ITS WORDS" PROGRAM
set -euo pipefail
[ "$#" -eq 3 ] || {
  echo "usage: $0 HOST_PROGRAM \"EMULATOR...\" PROGRAM" >&2
  exit 2
}
host=$1
read -ra emulator <<< "$2"
program=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Both without the variables that change the program's defaults.
run() { env -u TZ -u EPHEMERIDES_LIEU "$@"; }

text=(--from 1000-01-01 --to 3000-01-01 --step 73d)
run "$host" "${text[@]}" > "$tmp/host.txt"
run "${emulator[@]}" "$program" "${text[@]}" > "$tmp/other.txt"
if ! cmp "$tmp/host.txt" "$tmp/other.txt"; then
  diff "$tmp/host.txt" "$tmp/other.txt" | head -20 >&2
  exit 1
fi

# The CSV without its magnitude column, found by its name.
withoutMagnitude() {
  awk -F, -v OFS=, 'NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "magnitude") m = i }
                    { if (m) { $m = "" } print }' "$1"
}
csv=(--from 1000-01-01 --to 3000-01-01 --step 146d --format csv)
run "$host" "${csv[@]}" > "$tmp/host.csv"
run "${emulator[@]}" "$program" "${csv[@]}" > "$tmp/other.csv"
grep -q '^date,.*,magnitude,' "$tmp/host.csv" || {
  echo "no magnitude column in the CSV header" >&2
  exit 1
}
if ! cmp <(withoutMagnitude "$tmp/host.csv") <(withoutMagnitude "$tmp/other.csv"); then
  diff <(withoutMagnitude "$tmp/host.csv") <(withoutMagnitude "$tmp/other.csv") | head -20 >&2
  exit 1
fi
echo "same reports: $(grep -c '^ Soleil ' "$tmp/host.txt") dates in text," \
  "$(($(wc -l < "$tmp/host.csv") - 1)) CSV rows"
