#!/usr/bin/env bash
# The real program under Xvfb in runtime trees that lack files, one of each kind: without a
# menu picture, a button picture, the menu music, a province picture, a level background and
# the level music it starts, every menu and level 1 are reached as usual, Quit ends it with
# status 0 and it writes nothing on standard error (a missing picture draws nothing, a missing
# sound is silent); without the first maze, leaving the province picture ends it with status 1
# and the name of the file, and SIGTERM on that picture with status 143, silently. The headless replays leave out every other picture and sound.
# Usage: missing_files.sh MEANDOR RUNTIME SCREENSHOT-DIR
# The Menu without its background and Credits button is kept in SCREENSHOT-DIR to be looked at.
MEANDOR=$1 FULL=$2 SHOTS=$3
source "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"

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

# A runtime tree of links to every file of the full one but those named; its path.
tree_without() {
  local tree
  tree=$(mktemp -d -p "$TREES")
  cp -rs "$FULL"/doolhof*.txt "$FULL/afbeeldingen" "$FULL/menu" "$FULL/muziek" "$tree"
  for file in "$@"; do
    [[ -f "$tree/$file" ]] || { echo "$file is not in the runtime tree $FULL" >&2; return 1; }
    rm "$tree/$file"
  done
  echo "$tree"
}

# From the Menu through the difficulty menu into the game.
start_level() {
  go Menu 235 87 SubMenu
  go SubMenu 235 87 Spel
}

start_x

missing=(menu/begincartoon.bmp menu/Credits0.bmp muziek/Menumuziek.MP3
  afbeeldingen/Limburg.bmp afbeeldingen/gras.bmp muziek/Levelmuziek.WAV)
echo "without ${missing[*]}"
RUNTIME=$(tree_without "${missing[@]}")
start_game
menu=$(window Menu)
sleep 0.3
import -window "$menu" "$SHOTS/menu-without-pictures.png"
go Menu 235 237 Instuctions
go Instuctions 875 587 Menu
go Menu 235 387 Credits
go Credits 875 587 Menu
start_level
# The province picture hears Enter only once it waits, which a busy machine may delay: while
# the Menu does not come back, Enter is given again.
hold 3 Menu key Spel Return Right Down Down Right Escape
quit
echo "menus, instructions, credits, level 1 and Quit with status 0"

echo "without doolhof1.txt"
RUNTIME=$(tree_without doolhof1.txt)
# A signal on the province picture ends the game as it always does, also when the maze it then
# fails to read would have ended it with an error.
start_game
start_level
window Spel >/dev/null
sleep 0.3
kill -s TERM "$GAME_PID"
expect_exit "$PROMPTLY" 143
echo "SIGTERM on the province picture: status 143, nothing said"
start_game
start_level
# The maze is read once Enter leaves the province picture.
for _ in 1 2 3; do
  key Spel Return
  await_exit "$PROMPTLY" && break
done
[[ -z "$GAME_PID" ]] || { echo "the game did not end without its first maze" >&2; exit 1; }
if [[ "$EXIT_STATUS" != 1 ]] || ! grep -q "cannot open file doolhof1.txt" "$GAME_LOG"; then
  echo "exit status $EXIT_STATUS (expected 1) and the game said:" >&2
  cat "$GAME_LOG" >&2
  exit 1
fi
echo "the game ends with status 1 and names the missing maze"
