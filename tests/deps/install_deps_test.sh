#!/usr/bin/env bash
# tools/install-deps run against stand-ins for dpkg-query, apt-get, sudo and
# id, which are alone on PATH (with env and true) and log what they are asked.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
script=$root/tools/install-deps
bash=$(command -v bash)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bin=$tmp/bin
failures=0
fail() {
  echo "FAIL: $case: $*" >&2
  failures=$((failures + 1))
}

# stage UID SUDO INSTALLED...: fresh stand-ins; SUDO is "works" (runs the
# command for `sudo -n`), "asks" (wants a password) or "none" (no sudo and
# no apt-get).
stage() {
  local uid=$1 sudo=$2
  shift 2
  rm -rf "$bin" "$tmp"/*.log
  mkdir -p "$bin"
  ln -s "$(type -P env)" "$bin/env"
  ln -s "$(type -P true)" "$bin/true"
  printf '#!/bin/sh\necho %s\n' "$uid" > "$bin/id"
  # The installed packages answer as dpkg-query does, the others fail.
  cat > "$bin/dpkg-query" <<EOF
#!/bin/sh
for p in $*; do
  if [ "\$p" = "\$3" ]; then printf 'install ok installed'; exit 0; fi
done
echo "dpkg-query: no packages found matching \$3" >&2
exit 1
EOF
  # Who called (the user sudo ran it for), the front end, the arguments.
  [ "$sudo" = none ] || cat > "$bin/apt-get" <<EOF
#!/bin/sh
echo "\${SUDO_USER:-root}|\${DEBIAN_FRONTEND:-}|\$*" >> "$tmp/apt.log"
EOF
  # shellcheck disable=SC2016
  case "$sudo" in
    works) printf '#!/bin/sh\n[ "$1" = -n ] || exit 1\nshift\nSUDO_USER=someone exec "$@"\n' ;;
    asks) printf '#!/bin/sh\necho "sudo: a password is required" >&2\nexit 1\n' ;;
    none) printf '' ;;
  esac > "$bin/sudo"
  [ -s "$bin/sudo" ] || rm "$bin/sudo"
  chmod +x "$bin"/*
}

# run NEED: the script with the stand-ins alone on PATH; sets out and status.
run() {
  status=0
  out=$(env -i PATH="$bin" "$bash" "$script" "$1" 2>&1) || status=$?
}

words() { "$bash" "$script" --list "$1"; }
all_test=$(words test)
read -ra all <<< "$all_test"
# Every package but the first three, which are missing.
present=("${all[@]:3}")
some_missing="${all[*]:0:3}"

# Missing packages installed: NEED, uid, sudo, installed, expected caller and
# packages given to apt-get install (empty: none installed, the command shown).
while IFS=';' read -r case uid sudo installed caller expected; do
  # shellcheck disable=SC2086
  stage "$uid" "$sudo" $installed
  run test
  if [ -z "$caller" ]; then
    [ "$status" -ne 0 ] || fail "exit status 0 with nothing installed"
    [ ! -e "$tmp/apt.log" ] || fail "apt-get was called: $(cat "$tmp/apt.log")"
    found=false
    while IFS= read -r line; do
      [[ $line == *"sudo apt-get install $expected" ]] && found=true
    done <<< "$out"
    "$found" || fail "no line ending with 'sudo apt-get install $expected' in: $out"
    continue
  fi
  [ "$status" -eq 0 ] || fail "exit status $status: $out"
  mapfile -t calls < <(cat "$tmp/apt.log" 2> /dev/null)
  if [ "${#calls[@]}" -ne 2 ]; then
    fail "apt-get called ${#calls[@]} times, not update then install"
    continue
  fi
  [[ ${calls[0]} == "$caller|noninteractive|update"* ]] || fail "first call: ${calls[0]}"
  [[ ${calls[1]} == "$caller|noninteractive|install "* ]] || fail "second call: ${calls[1]}"
  given=()
  read -ra args <<< "${calls[1]#*|install }"
  for a in "${args[@]}"; do
    [[ $a == -* ]] || given+=("$a")
  done
  [ "${given[*]}" = "$expected" ] || fail "installed '${given[*]}', not '$expected'"
  [[ $out == *"$expected"* ]] || fail "does not say what it installs: $out"
done <<EOF
every package missing, as root;0;works;;root;$all_test
not root, sudo works;1000;works;${present[*]};someone;$some_missing
not root, sudo asks for a password;1000;asks;${present[*]};;$some_missing
EOF

case="everything present"
# shellcheck disable=SC2086
stage 1000 asks $all_test
run test
if [ "$status" -ne 0 ] || [ -n "$out" ] || [ -e "$tmp/apt.log" ]; then
  fail "status $status, output '$out'"
fi

case="no apt-get"
stage 0 none
run run
[ "$status" -ne 0 ] || fail "exit status 0"
[[ $out == *"not a Debian-like system"*"$(words run)"* ]] || fail "unclear message: $out"

# The lines the README gives for doing it by hand are the script's lists.
case="README"
for need in run test ci; do
  grep -qxF "sudo apt-get install $(words "$need")" "$root/README.md" ||
    fail "no line 'sudo apt-get install $(words "$need")'"
done

[ "$failures" -eq 0 ]
