#!/usr/bin/env bash
# The close box on one kind of screen ends the program promptly with status 0, and
# with nothing on standard error. Under a window manager (E2E_WM), the manager's close.
# Usage: close_box.sh MEANDOR RUNTIME CLOSEBOX SCREEN
# SCREEN: Menu, SubMenu, Instuctions, Credits, Province, Play or Pause.
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3 SCREEN=$4
source "$(dirname "$0")/lib.sh"
start_display
start_game

title=$SCREEN
case "$SCREEN" in
  Menu) ;;
  SubMenu) go Menu 235 87 SubMenu ;;
  Instuctions) go Menu 235 237 Instuctions ;;
  Credits) go Menu 235 387 Credits ;;
  Province | Play | Pause)
    go Menu 235 87 SubMenu
    go SubMenu 235 87 Spel
    title=Spel ;;
  *) echo "unknown screen $SCREEN" >&2; exit 2 ;;
esac
window "$title" >/dev/null
sleep 0.3
case "$SCREEN" in
  Play) enter_level Spel && key Spel Right ;;
  Pause) enter_level Spel && key Spel p ;;
esac
sleep 0.3
close_box "$title"
expect_exit "$PROMPTLY" 0
echo "$SCREEN${E2E_WM:+ under $E2E_WM}: closed with status 0 after $EXIT_MS ms"
