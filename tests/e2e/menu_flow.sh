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
# The title, the window id, the position on the desktop and the client size, as one word.
on() {
  local id
  id=$(window "$1")
  seen+=("$1")
  places+=("$(xdotool getwindowgeometry "$id" |
    awk -v id="$id" '/Position/ {p = $2} /Geometry/ {print id "@" p "/" $2}')")
  echo "window: $1 ${places[-1]}"
}

on Menu
sleep 0.3
import -window "$(window Menu)" "$SHOTS/menu.png"

go Menu 235 237 Instuctions && on Instuctions
go Instuctions 875 587 Menu && on Menu
go Menu 235 387 Credits && on Credits
go Credits 875 587 Menu && on Menu
go Menu 235 87 SubMenu && on SubMenu
go SubMenu 235 537 Menu && on Menu
go Menu 235 87 SubMenu && on SubMenu
go SubMenu 235 87 Spel && on Spel
sleep 0.3
import -window "$(window Spel)" "$SHOTS/province.png"
key Spel Return
sleep 0.3
key Spel Right Down Down Right Right Down
sleep 0.3
import -window "$(window Spel)" "$SHOTS/level.png"
key Spel Escape && on Menu

expected="Menu Instuctions Menu Credits Menu SubMenu Menu SubMenu Spel Menu"
[[ "${seen[*]}" == "$expected" ]] || { echo "windows: ${seen[*]}" >&2; exit 1; }
[[ "${places[0]}" == *"/1000x700" ]] || { echo "client area ${places[0]#*/}, expected 1000x700" >&2; exit 1; }
for place in "${places[@]}"; do
  [[ "$place" == "${places[0]}" ]] || { echo "the window moved: ${places[*]}" >&2; exit 1; }
done

quit
echo "windows in order: ${seen[*]}, all at ${places[0]}; Quit ended with status 0"
