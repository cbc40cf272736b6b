#!/usr/bin/env bash
# Regenerates the tables of the precise theory (astro/precise/vsop87b_*.cpp,
# astro/precise/elp_mpp02_data.cpp and LICENSE.astronomia) from the pinned
# version of the npm package astronomia, installed in a temporary folder.
# Only this script needs npm and the network; the build uses the tables as
# committed.
#
#   tools/theory/generate.sh            write the tables
#   tools/theory/generate.sh --study    print the truncation's errors only
set -euo pipefail
version=4.3.0
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-save --no-audit --no-fund --ignore-scripts \
  "astronomia@$version" > /dev/null
package="$work/node_modules/astronomia"
if [ "${1:-}" = --study ]; then
  node "$here/generate.mjs" --study "$package"
else
  node "$here/generate.mjs" "$package" "$root/astro/precise"
fi
