#!/usr/bin/env bash
# Whole-process timings, side by side in one run on this machine
# (hyperfine, Debian package "hyperfine"; GNU time for the memory):
#
#   1. 100,000 piped dates through the dialogue into /dev/null, this build
#      against the program of a reference commit, which is built first in
#      build/reference-COMMIT from `git archive` (so the commit must be in
#      the repository's history). Both must write the same bytes.
#   2. A range of 100,000 dates, --format csv against --format text.
#   3. A range of a million dates against one of a thousand: peak memory.
#
#   bench/compare.sh [PROGRAM] [COMMIT]
#   PROGRAM  default build/dev/ephemerides
#   COMMIT   default 7c606e4 (the last commit before the library, the
#            command line and the output buffer), RUNS=10 in the environment
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/dev/ephemerides}
reference=${2:-7c606e4}
runs=${RUNS:-10}

for tool in hyperfine /usr/bin/time; do
  if ! command -v "$tool" > /dev/null; then
    echo "compare.sh: $tool is missing (Debian packages hyperfine and time)" >&2
    exit 1
  fi
done

reference_dir=build/reference-$reference
if [ ! -x "$reference_dir/ephemerides" ]; then
  echo "building the program of $reference in $reference_dir"
  rm -rf "$reference_dir"
  mkdir -p "$reference_dir/src"
  git archive "$reference" | tar -x -C "$reference_dir/src"
  cmake -S "$reference_dir/src" -B "$reference_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DEPHEMERIDES_BENCHMARKS=OFF > /dev/null
  cmake --build "$reference_dir" --target ephemerides -j 2 > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bench/make_dates.sh 100000 > "$work/dates"

"$reference_dir/ephemerides" < "$work/dates" > "$work/reference.txt"
"$program" < "$work/dates" > "$work/this.txt"
if cmp -s "$work/reference.txt" "$work/this.txt"; then
  echo "100,000 piped dates: the same $(wc -l < "$work/this.txt") lines from both programs"
else
  echo "100,000 piped dates: the outputs differ" >&2
  exit 1
fi

echo
echo "== 1. 100,000 piped dates, the program of $reference against this one"
hyperfine --warmup 1 --runs "$runs" \
  -n "$reference" "$reference_dir/ephemerides < $work/dates > /dev/null" \
  -n "this build" "$program < $work/dates > /dev/null"

echo
echo "== 2. a range of 100,000 dates, one minute apart, csv against text"
range="--from 2000-01-01 --to 2000-03-10T10:39 --step 1min"
hyperfine --warmup 1 --runs "$runs" \
  -n "text" "$program $range --format text > /dev/null" \
  -n "csv" "$program $range --format csv > /dev/null" \
  -n "json" "$program $range --format json > /dev/null"

echo
echo "== 3. peak memory: 1,000 and 1,000,000 dates, piped and as a range"
tests/robustness/flat_memory.sh "$program" 1000000
