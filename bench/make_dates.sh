#!/usr/bin/env bash
# Writes COUNT dates to standard output, one "day month year" line each,
# the same on every call (a fixed linear congruential sequence): days 1.00
# to 28.99 with their fraction, every month, years 1000 to 2999. The timing
# scripts feed them to the program.
#
#   bench/make_dates.sh [COUNT]   (default 100000)
set -euo pipefail
# 69069 * 2^32 stays below 2^53, so awk's doubles keep the sequence exact.
awk -v n="${1:-100000}" 'BEGIN {
  s = 20240601; m32 = 4294967296
  for (i = 0; i < n; i++) {
    s = (s * 69069 + 1) % m32; d = 1 + int(s / 65536) % 2800 / 100
    s = (s * 69069 + 1) % m32; m = 1 + int(s / 65536) % 12
    s = (s * 69069 + 1) % m32; y = 1000 + int(s / 65536) % 2000
    printf "%.2f %d %d\n", d, m, y
  }
}'
