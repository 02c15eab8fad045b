#!/usr/bin/env bash
# The program's command line: --help and --version answer without a display or
# a runtime tree, --fullscreen and --windowed start the game (here without a
# display, so it says so), and anything else is refused with the usage lines and
# status 2. No argument at all starts the game as ever: e2e.NoDisplay runs it so.
#   arguments.sh PROGRAM VERSION
set -euo pipefail
program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work
usage=$'usage: meandor [--fullscreen | --windowed]\n       meandor --help | --version'
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
[[ $(head -n2 "$work/out") == "$usage" ]] || fail "--help does not start with the usage lines"
grep -q 'Arrow keys' "$work/out" || fail "--help does not tell the keys"
[[ ! -s $work/err ]] || fail "--help wrote to stderr"

run 0 --version
[[ $(cat "$work/out") == "meandor $version" ]] || fail "--version printed '$(cat "$work/out")'"
[[ ! -s $work/err ]] || fail "--version wrote to stderr"

for wrong in -h -v --HELP --versions --help=1 -- - '' play; do
  run 2 "$wrong"
  [[ $(cat "$work/err") == "$usage" ]] || fail "'$wrong' was not answered with the usage lines"
  [[ ! -s $work/out ]] || fail "'$wrong' wrote to stdout"
done
for display in --fullscreen --windowed "--windowed --fullscreen"; do
  # shellcheck disable=SC2086 # two words on purpose
  run 1 $display
  [[ $(cat "$work/err") == "meandor: cannot open a window (is there a display?)" ]] ||
    fail "'$display' did not start the game: $(cat "$work/err")"
done
for pair in "--help --version" "--version --version" "--help extra" "--fullscreen --help" \
  "--windowed play"; do
  # shellcheck disable=SC2086 # two words on purpose
  run 2 $pair
  [[ $(cat "$work/err") == "$usage" ]] || fail "'$pair' was not answered with the usage lines"
done

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "command line: all cases as expected"
