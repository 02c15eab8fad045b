#!/usr/bin/env bash
# The real program under Xvfb on maze packs: a pack found by name in $XDG_DATA_HOME, played
# from level 2 with --level, opens the "Spel" window on the pack's maze (a portion of fries
# moved to where the game's own maze has bare floor), and Escape ends that game and the
# program with status 0. A pack with a maze that breaks a rule is refused with status 2 and
# the rule named.
# Usage: maze_pack.sh MEANDOR RUNTIME CLOSEBOX
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
source "$(dirname "$0")/lib.sh"
DATA=$(mktemp -d)
trap 'stop_all; rm -rf "$DATA"' EXIT
start_display

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

pack=$DATA/meandor/mazes/mine
mkdir -p "$pack"
cp "$RUNTIME"/doolhof[1-5].txt "$pack"
# Line x of a maze file is column x, its character y row y: fries from (26, 20) to (22, 18).
sed -i -e '22s/^\(.\{17\}\)./\1f/' -e '26s/^\(.\{19\}\)./\1 /' "$pack/doolhof2.txt"

# The 30 x 30 pixels of cell (x, y) in the window's picture, as a checksum.
cell() { # picture x y
  convert "$1" -crop "30x30+$((30 * $2))+$((30 * $3))" +repage ppm:- | md5sum
}

start_game XDG_DATA_HOME="$DATA" -- --mazes mine --level 2
id=$(window Spel)
# Enter held until the maze is drawn: the bare floor cells (23, 18) and (24, 18) alike, and unlike the wall at (21, 2).
shot=$DATA/level.png
drawn=
for _ in $(seq 20); do
  key Spel Return
  timeout 10 import -window "$id" "$shot" 2>/dev/null || continue
  if [[ $(cell "$shot" 23 18) == "$(cell "$shot" 24 18)" &&
    $(cell "$shot" 23 18) != "$(cell "$shot" 21 2)" ]]; then
    drawn=1
    break
  fi
done
[[ -n $drawn ]] || fail "the maze of level 2 was never drawn"
[[ $(cell "$shot" 22 18) != "$(cell "$shot" 24 18)" ]] || fail "no fries at (22, 18): not the pack's maze"
[[ $(cell "$shot" 26 20) == "$(cell "$shot" 24 18)" ]] || fail "fries at (26, 20): the game's own maze"
key Spel Escape
expect_exit 10 0
echo "--mazes mine --level 2: the pack's maze 2 in the Spel window; Escape ends the program"

sed -i '15s/^./x/' "$pack/doolhof3.txt"
start_game XDG_DATA_HOME="$DATA" -- --mazes "$pack"
await_exit 10 || fail "a broken pack was not refused"
[[ $EXIT_STATUS -eq 2 ]] || fail "a broken pack ended with status $EXIT_STATUS"
grep -qxF "$pack/doolhof3.txt: cell (15, 1): border cell is open to the player (demand 1)" \
  "$GAME_LOG" || fail "the refusal did not name the fault: $(cat "$GAME_LOG")"
echo "a pack with a border cell open: refused with status 2 and the rule named"
