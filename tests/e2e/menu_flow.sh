#!/usr/bin/env bash
# The real program under Xvfb (and under a window manager with E2E_WM), driven like a player:
# every menu, a few steps of play, Quit. Every screen shows in the one window, at one place on
# the desktop, with a client area of 1000 × 700.
# Usage: menu_flow.sh MEANDOR RUNTIME CLOSEBOX SCREENSHOT-DIR
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3 SHOTS=$4
source "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
start_display
start_game

seen=() places=()
# The window id, its position on the desktop and its client size, as one word.
place() {
  xdotool getwindowgeometry "$1" |
    awk -v id="$1" '/Position/ {p = $2} /Geometry/ {print id "@" p "/" $2}'
}
on() {
  local id
  id=$(window "$1")
  seen+=("$1")
  places+=("$(place "$id")")
  echo "window: $1 ${places[-1]}"
}

on Menu
if [[ "${places[0]}" != *"/1000x700" ]]; then
  echo "client area ${places[0]#*/}, expected 1000x700" >&2
  exit 1
fi
sleep 0.3
import -window "$(window Menu)" "$SHOTS/menu.png"
# Put where the player wants it, the window stays there from screen to screen: a new window
# would be placed afresh.
id=$(window Menu) first=${places[0]}
xdotool windowmove "$id" 60 40
moved() { [[ "$(place "$id")" != "$first" ]]; }
within 30 moved || true
places=("$(place "$id")")
[[ "${places[0]}" != "$first" ]] || { echo "the window could not be moved" >&2; exit 1; }
echo "moved from $first to ${places[0]}"

go Menu 235 237 Instuctions && on Instuctions
go Instuctions 875 587 Menu && on Menu
go Menu 235 387 Credits && on Credits
go Credits 875 587 Menu && on Menu
go Menu 235 87 SubMenu && on SubMenu
go SubMenu 235 537 Menu && on Menu
go Menu 235 87 SubMenu && on SubMenu
go SubMenu 235 87 Spel && on Spel
within 30 shows_picture "$(window Spel)" "$RUNTIME/afbeeldingen/Limburg.bmp"
import -window "$(window Spel)" "$SHOTS/province.png"
enter_level Spel
key Spel Right Down Down Right Right Down
sleep 0.3
import -window "$(window Spel)" "$SHOTS/level.png"
key Spel Escape && on Menu

expected="Menu Instuctions Menu Credits Menu SubMenu Menu SubMenu Spel Menu"
[[ "${seen[*]}" == "$expected" ]] || { echo "windows: ${seen[*]}" >&2; exit 1; }
for where in "${places[@]}"; do
  [[ "$where" == "${places[0]}" ]] || { echo "the window moved: ${places[*]}" >&2; exit 1; }
done

quit
echo "windows in order: ${seen[*]}, all at ${places[0]}; Quit ended with status 0"
