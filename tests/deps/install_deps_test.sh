#!/usr/bin/env bash
# tools/install-deps run against stand-ins for dpkg-query, dpkg, apt-get,
# sudo and id, which are alone on PATH (with env and true) and log what they
# are asked.
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
# no apt-get). An installed package is NAME, installed for amd64, this
# machine's architecture, or NAME=ARCH, installed for ARCH alone. FOREIGN
# holds the architectures dpkg knows besides amd64.
FOREIGN=""
stage() {
  local uid=$1 sudo=$2
  shift 2
  rm -rf "$bin" "$tmp"/*.log
  mkdir -p "$bin"
  ln -s "$(type -P env)" "$bin/env"
  ln -s "$(type -P true)" "$bin/true"
  printf '#!/bin/sh\necho %s\n' "$uid" > "$bin/id"
  # The installed packages answer as dpkg-query -W -f='${Architecture}
  # ${Status}\n' does, once for each architecture; the others fail.
  cat > "$bin/dpkg-query" <<EOF
#!/bin/sh
found=false
for p in $*; do
  name=\${p%%=*}
  arch=amd64
  [ "\$name" = "\$p" ] || arch=\${p#*=}
  if [ "\$name" = "\$3" ] || [ "\$name:\$arch" = "\$3" ]; then
    echo "\$arch install ok installed"
    found=true
  fi
done
\$found && exit 0
echo "dpkg-query: no packages found matching \$3" >&2
exit 1
EOF
  # dpkg tells the architectures and logs what else it is asked.
  cat > "$bin/dpkg" <<EOF
#!/bin/sh
case "\$1" in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) for a in $FOREIGN; do echo "\$a"; done ;;
  *) echo "\${SUDO_USER:-root}|dpkg|\$*" >> "$tmp/apt.log" ;;
esac
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

# The need ci has arm64 packages: dpkg learns the architecture before
# apt-get reads its lists, unless it knows it already.
all_ci=$(words ci)
for FOREIGN in "" "arm64"; do
  case="ci as root, foreign architectures '$FOREIGN'"
  stage 0 works
  run ci
  [ "$status" -eq 0 ] || fail "exit status $status: $out"
  expected=()
  [ -n "$FOREIGN" ] || expected+=("root|dpkg|--add-architecture arm64")
  expected+=("root|noninteractive|update -qq" "root|noninteractive|install -y -q $all_ci")
  mapfile -t calls < <(cat "$tmp/apt.log" 2> /dev/null)
  [ "${calls[*]}" = "${expected[*]}" ] || fail "calls '${calls[*]}', not '${expected[*]}'"
done
FOREIGN=""

case="ci, sudo asks for a password"
# shellcheck disable=SC2086
stage 1000 asks $all_test
run ci
[ "$status" -ne 0 ] || fail "exit status 0"
ci_only=${all_ci#"$all_test "}
[[ $out == *"sudo dpkg --add-architecture arm64"*"sudo apt-get update"*"sudo apt-get install $ci_only"* ]] ||
  fail "not the commands to type: $out"

# A package installed for another architecture alone is not installed.
case="installed for arm64 alone"
read -ra run_words <<< "$(words run)"
stage 0 works "${run_words[@]/#libhowardhinnant-date-dev/libhowardhinnant-date-dev=arm64}"
run run
mapfile -t calls < <(cat "$tmp/apt.log" 2> /dev/null)
[ "${calls[1]:-}" = "root|noninteractive|install -y -q libhowardhinnant-date-dev" ] ||
  fail "calls '${calls[*]}'"
case="installed for amd64 and arm64"
stage 0 works "${run_words[@]}" libhowardhinnant-date-dev=arm64
run run
if [ "$status" -ne 0 ] || [ -n "$out" ]; then
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
