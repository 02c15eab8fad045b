#!/usr/bin/env bash
# The real program under Xvfb, driven like a player: every menu, a few steps of play, Quit.
# Usage: menu_flow.sh MEANDOR RUNTIME CLOSEBOX SCREENSHOT-DIR
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3 SHOTS=$4
source "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
start_x
start_game

seen=()
on() { window "$1" >/dev/null && seen+=("$1") && echo "window: $1"; }

on Menu
geometry=$(xdotool getwindowgeometry "$(window Menu)" | awk '/Geometry/ {print $2}')
[[ "$geometry" == 1000x700 ]] || { echo "client area $geometry, expected 1000x700" >&2; exit 1; }
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

id=$(window Menu)
sleep 0.5
xdotool mousemove --window "$id" 235 537 click 1
expect_exit 5 0
echo "windows in order: ${seen[*]}; Quit ended with status 0"
