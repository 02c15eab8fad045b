#!/usr/bin/env bash
# Whole-program latency under Xvfb, bare and under openbox, from the screen's own pixels:
# (a) the program's start to the main menu's picture drawn, (b) a Down key to the focus drawn on
# Start, (c) a click on Instructions to the instructions picture drawn. Median and max over RUNS
# starts (default 20), in ms.
# Usage: bench/latency.sh [GAME-BUILD-DIR [DRAWN]]
#   defaults build/release and build/bench/bench/drawn
#   (cmake --preset bench && cmake --build --preset bench --target drawn)
BUILD=$(realpath "${1:-build/release}")
DRAWN=$(realpath "${2:-build/bench/bench/drawn}")
MEANDOR=$BUILD/meandor RUNTIME=$BUILD/assets
RUNS=${RUNS:-20}
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/stats.sh"

for wm in "" openbox; do
  E2E_WM=$wm
  start_display
  starts=() keys=() clicks=()
  for ((i = 0; i < RUNS; i++)); do
    since=${EPOCHREALTIME/./}
    start_game
    starts+=("$("$DRAWN" wait Menu "$RUNTIME/menu/begincartoon.bmp" "$since")")
    # The menu hears clicks from its first pass on, a moment after its picture.
    sleep 0.5
    keys+=("$("$DRAWN" key Menu Down 110 50 "$RUNTIME/menu/Start1.bmp")")
    clicks+=("$("$DRAWN" click Menu 235 237 Instuctions \
      "$RUNTIME/afbeeldingen/Instructiescherm.bmp")")
    kill -9 "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=
  done
  stats "start → menu drawn${wm:+ (under $wm)}" "${starts[@]}"
  stats "Down → focus on Start drawn${wm:+ (under $wm)}" "${keys[@]}"
  stats "click Instructions → drawn${wm:+ (under $wm)}" "${clicks[@]}"
  stop_all
  WM_PID= XVFB_PID=
done
