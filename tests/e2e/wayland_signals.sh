#!/usr/bin/env bash
# The game in a Wayland session without X (WAYLAND_DISPLAY set, no DISPLAY), under a headless
# sway: SIGINT, SIGTERM and SIGHUP end it with 130, 143 and 129, and a compositor that goes
# away, on the menu or in play, ends it as a hang-up does: 129, nothing on standard error.
# Usage: wayland_signals.sh MEANDOR RUNTIME WLPOINTER
MEANDOR=$1 RUNTIME=$2 WLPOINTER=$3
source "$(dirname "$0")/wayland.sh"
unset DISPLAY SDL_VIDEODRIVER

start_sway
for signal in INT:130 TERM:143 HUP:129; do
  start_game
  wl_window Menu >/dev/null
  sleep 0.3
  kill -s "${signal%:*}" "$GAME_PID"
  expect_exit "$PROMPTLY" "${signal#*:}"
  echo "SIG${signal%:*} on the menu: status $EXIT_STATUS after $EXIT_MS ms"
done

for screen in Menu Spel; do
  start_game
  wl_window Menu >/dev/null
  if [[ $screen == Spel ]]; then
    wl_go Menu 235 87 SubMenu
    wl_go SubMenu 235 87 Spel
    wtype -s 300 -P Return -s 1000 -p Return -k Right
  fi
  sleep 0.3
  kill_sway
  expect_exit "$PROMPTLY" 129
  echo "the compositor gone, in $screen: status $EXIT_STATUS after $EXIT_MS ms"
  stop_sway
  [[ $screen == Spel ]] || start_sway
done
