#!/usr/bin/env bash
# The real program under Xvfb, played with the keyboard alone: the menus, a game started and
# left, the instructions, and Quit.
# Usage: keyboard.sh MEANDOR RUNTIME CLOSEBOX
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
source "$(dirname "$0")/lib.sh"
start_display
# Off every button, wherever the window opens: the focus follows the pointer only as it moves.
xdotool mousemove 0 0
start_game

key Menu Down Return && window SubMenu >/dev/null
key SubMenu Down Down Return && window Spel >/dev/null
enter_level Spel && key Spel Escape && window Menu >/dev/null
key Menu Down Down Return && window Instuctions >/dev/null
key Instuctions Escape && window Menu >/dev/null
key Menu Escape
appears Menu || { echo "Escape left the main menu" >&2; exit 1; }
key Menu Down Down Down Down Return
expect_exit "$PROMPTLY" 0
echo "keyboard only: SubMenu, a game, Instructions and back, Quit with status 0"
