#!/usr/bin/env bash
# Starts an installed Meandor as a desktop menu would: the Exec line of its
# desktop entry, with the prefix's bin and games folders on the PATH (a Debian
# user's PATH holds /usr/games) and the file system root as working directory,
# on a private X server. Passes when the "Menu" window opens showing its
# picture and the Quit button ends the game with status 0.
#   start-from-menu-entry.sh PREFIX APP_ID
set -euo pipefail
prefix=$(readlink -f "$1")
entry=$prefix/share/applications/$2.desktop
command=$(sed -n 's/^Exec=//p' "$entry")
[[ -n "$command" ]] || { echo "no Exec line in $entry" >&2; exit 1; }

source "$(dirname "$0")/../e2e/lib.sh"
start_x

cd /
# The Exec line is split into words as a menu would; it holds no field codes.
read -r -a words <<<"$command"
GAME_LOG=$(mktemp)
env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy PATH="$prefix/bin:$prefix/games:$PATH" \
  "${words[@]}" 2>"$GAME_LOG" &
GAME_PID=$!
id=$(window Menu)

# A black window would mean the game ran outside its runtime tree: its pictures
# load by relative path and simply stay away when missing. The picture comes a
# moment after the window, later still under the sanitizers; until the window is
# on screen, the X server refuses to read it.
brightness=0
bright() {
  brightness=$(import -window "$id" -colorspace gray -format '%[fx:mean]' info: 2>/dev/null) ||
    brightness=0
  awk -v b="$brightness" 'BEGIN { exit !(b > 0.2) }'
}
within 30 bright ||
  { echo "the menu shows no picture (mean brightness $brightness)" >&2; exit 1; }

quit
echo "started from the menu entry in $prefix: Menu shown, Quit ended it"
