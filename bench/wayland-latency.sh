#!/usr/bin/env bash
# The program's start to the main menu drawn, on Wayland (a headless sway, the game's native
# window) and on X11 (Xvfb) in turns, RUNS starts each (default 20); median and max in ms. On
# X11 `drawn` reads the screen's pixels; on Wayland the window is photographed with grim until
# it shows the menu as a first run drew it, which reads up to one photograph (some 30 ms) late.
# Usage: bench/wayland-latency.sh [GAME-BUILD-DIR [DRAWN [WLPOINTER]]]
#   defaults build/release, build/bench/bench/drawn and build/dev/tests/e2e/wlpointer
BUILD=$(realpath "${1:-build/release}")
DRAWN=$(realpath "${2:-build/bench/bench/drawn}")
WLPOINTER=$(realpath "${3:-build/dev/tests/e2e/wlpointer}")
MEANDOR=$BUILD/meandor RUNTIME=$BUILD/assets
RUNS=${RUNS:-20}
source "$(dirname "$0")/../tests/e2e/wayland.sh"
source "$(dirname "$0")/stats.sh"
WORK=$(mktemp -d)
trap 'stop_sway; stop_all; rm -rf "$WORK"' EXIT

x11_menu "$WORK/menu-x11.png"
start_x
x11_display=$DISPLAY
unset DISPLAY
start_sway 1920x1200 1

# A first Wayland run keeps the menu's picture, as grim gives it, once it matches X11's.
start_game -u DISPLAY
wl_window Menu "0 * * 1000 700" >/dev/null
wl_shows "$WORK/menu.png" "$WORK/menu-x11.png"
read -r _ x0 y0 _ _ <<<"$(view | cut -f2)"
grim -t ppm -g "$x0,$y0 1000x700" "$WORK/menu.ppm"
kill -9 "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true

wayland=() x11=()
for ((i = 0; i < RUNS; i++)); do
  since=${EPOCHREALTIME/./}
  start_game -u DISPLAY
  until grim -t ppm -g "$x0,$y0 1000x700" - 2>/dev/null | cmp -s - "$WORK/menu.ppm"; do
    ((${EPOCHREALTIME/./} - since < 10000000)) || { echo "no menu within 10 s" >&2; exit 1; }
  done
  wayland+=($(((${EPOCHREALTIME/./} - since) / 1000)))
  kill -9 "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true

  since=${EPOCHREALTIME/./}
  start_game -u WAYLAND_DISPLAY DISPLAY="$x11_display"
  x11+=("$(DISPLAY=$x11_display "$DRAWN" wait Menu "$RUNTIME/menu/begincartoon.bmp" "$since")")
  kill -9 "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=
done
stats "start → menu drawn, Wayland (sway)" "${wayland[@]}"
stats "start → menu drawn, X11 (Xvfb)" "${x11[@]}"
