#!/usr/bin/env bash
# The program's command line: --help and --version answer without a display or
# a runtime tree, and anything else is refused with the usage line and status 2.
# No argument at all starts the game as ever: e2e.NoDisplay runs it so.
#   arguments.sh PROGRAM VERSION
set -euo pipefail
program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
usage='usage: meandor [--help | --version]'
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

run() { # expected-status args...; leaves stdout in $work/out and stderr in $work/err
  local expected=$1 status=0
  shift
  timeout 20 "$program" "$@" >"$work/out" 2>"$work/err" || status=$?
  [[ $status -eq $expected ]] || fail "'$*' ended with status $status, expected $expected"
}

run 0 --help
[[ $(head -n1 "$work/out") == "$usage" ]] || fail "--help does not start with the usage line"
grep -q 'Arrow keys' "$work/out" || fail "--help does not tell the keys"
[[ ! -s $work/err ]] || fail "--help wrote to stderr"

run 0 --version
[[ $(cat "$work/out") == "meandor $version" ]] || fail "--version printed '$(cat "$work/out")'"
[[ ! -s $work/err ]] || fail "--version wrote to stderr"

for wrong in -h -v --HELP --versions --help=1 -- - '' play; do
  run 2 "$wrong"
  [[ $(cat "$work/err") == "$usage" ]] || fail "'$wrong' was not answered with the usage line"
  [[ ! -s $work/out ]] || fail "'$wrong' wrote to stdout"
done
for pair in "--help --version" "--version --version" "--help extra"; do
  # shellcheck disable=SC2086 # two words on purpose
  run 2 $pair
  [[ $(cat "$work/err") == "$usage" ]] || fail "'$pair' was not answered with the usage line"
done

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "command line: all cases as expected"
