#!/usr/bin/env bash
# The real program under Xvfb, in turn without each picture and sound the menu screens use: it
# starts, every menu and level 1 are reached as usual, Quit ends it with status 0 and it writes
# nothing on standard error. A missing picture draws nothing, a missing sound is silent.
# Usage: missing_files.sh MEANDOR RUNTIME SCREENSHOT-DIR
# The Menu without its Credits button picture is kept in SCREENSHOT-DIR to be looked at.
MEANDOR=$1 FULL=$2 SHOTS=$3
source "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"

files=(menu/begincartoon.bmp)
for button in Start Instructions Credits Quit easy medium hard Back; do
  files+=("menu/${button}0.bmp" "menu/${button}1.bmp")
done
files+=(afbeeldingen/Instructiescherm.bmp afbeeldingen/creditscherm.bmp muziek/Menumuziek.MP3)

TREES=$(mktemp -d)
# On a failure, what the game said and whether the X server is still there tell why.
stop_and_clean() {
  local status=$?
  if ((status != 0)) && [[ -s "${GAME_LOG:-}" ]]; then
    echo "the game wrote on standard error:" >&2
    cat "$GAME_LOG" >&2
  fi
  if ((status != 0)) && ! kill -0 "${XVFB_PID:-0}" 2>/dev/null; then
    echo "the X server has gone" >&2
  fi
  stop_all
  rm -rf "$TREES"
}
trap stop_and_clean EXIT

# A runtime tree of links to every file of the full one but $1.
tree_without() {
  local tree="$TREES/$(tr / _ <<<"$1")"
  [[ -f "$FULL/$1" ]] || { echo "$1 is not in the runtime tree $FULL" >&2; return 1; }
  mkdir "$tree"
  cp -rs "$FULL"/doolhof*.txt "$FULL/afbeeldingen" "$FULL/menu" "$FULL/muziek" "$tree"
  rm "$tree/$1"
  echo "$tree"
}

# From the province picture into level 1, a few steps, and Escape back to the Menu. The picture
# hears Enter only once its pictures are loaded and it waits, which a busy machine may delay:
# while the Menu does not come back, the game is still on the picture and Enter is given again.
play_level() {
  for _ in $(seq 3); do
    key Spel Return
    sleep 0.3
    key Spel Right Down Down Right Escape
    window Menu >/dev/null 2>&1 && return 0
  done
  echo "Enter, a few steps and Escape did not bring the Menu back" >&2
  return 1
}

play_without() {
  RUNTIME=$(tree_without "$1")
  start_game
  window Menu >/dev/null
  if [[ "$1" == menu/Credits0.bmp ]]; then
    sleep 0.3
    import -window "$(window Menu)" "$SHOTS/menu-without-Credits0.png"
  fi
  go Menu 235 237 Instuctions
  go Instuctions 875 587 Menu
  go Menu 235 387 Credits
  go Credits 875 587 Menu
  go Menu 235 87 SubMenu
  go SubMenu 235 87 Spel
  sleep 0.3
  play_level
  quit
}

start_x
for file in "${files[@]}"; do
  echo "without $file"
  play_without "$file"
  echo "without $file: menus, instructions, credits, level 1 and Quit with status 0"
done
