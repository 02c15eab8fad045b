#!/usr/bin/env bash
# The program's command line: --help and --version answer without a display or
# a runtime tree, --fullscreen and --windowed start the game (here without a
# display, so it says so), and anything else is refused with the usage lines and
# status 2. A maze pack is checked before the game looks for a display, and a
# level out of range is refused. No argument at all starts the game as ever:
# e2e.NoDisplay runs it so.
#   arguments.sh PROGRAM VERSION
set -euo pipefail
program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work
usage=$'usage: meandor [--fullscreen | --windowed] [--mazes DIR | --mazes NAME] [--level N]\n       meandor --help | --version'
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
  "--windowed play" --mazes "--level 2 --mazes" "--level"; do
  # shellcheck disable=SC2086 # two words on purpose
  run 2 $pair
  [[ $(cat "$work/err") == "$usage" ]] || fail "'$pair' was not answered with the usage lines"
done

no_display="meandor: cannot open a window (is there a display?)"
for level in 0 6 x 1x "" -1; do
  run 2 --level "$level"
  [[ $(cat "$work/err") == "meandor: --level takes a level from 1 to 5, not '$level'"$'\n'"$usage" ]] ||
    fail "--level '$level' was not refused: $(cat "$work/err")"
done
run 1 --windowed --level 5
[[ $(cat "$work/err") == "$no_display" ]] || fail "--level 5 did not start the game"

# Packs: the game's own mazes, by path and by name, start the game; a broken one is refused
# with the checker's line and never looks for the display.
mkdir -p "$work/meandor/mazes/mine"
cp "$(dirname "$program")"/assets/doolhof[1-5].txt "$work/meandor/mazes/mine"
export XDG_DATA_HOME=$work
for pack in mine "$work/meandor/mazes/mine" ./meandor/mazes/mine/; do
  run 1 --mazes "$pack" --level 1
  [[ $(cat "$work/err") == "$no_display" ]] || fail "the pack '$pack' did not start the game"
done
sed -i '3s/^./ /' "$work/meandor/mazes/mine/doolhof4.txt"
run 2 --mazes mine
[[ $(cat "$work/err") == "meandor: the maze pack $work/meandor/mazes/mine cannot be played:
$work/meandor/mazes/mine/doolhof4.txt: cell (3, 1): border cell is open to the player (demand 1)" ]] ||
  fail "the broken pack was not refused with its fault: $(cat "$work/err")"
run 2 --mazes nothing
[[ $(cat "$work/err") == *"$work/meandor/mazes/nothing: no such folder" ]] ||
  fail "a missing pack was not named: $(cat "$work/err")"

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "command line: all cases as expected"
