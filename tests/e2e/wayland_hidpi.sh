#!/usr/bin/env bash
# On a Wayland output at scale 2, the 1000 x 700 window has 2000 x 1400 pixels: the picture
# fills them, each of its pixels a sharp square of four, and clicks in the window's units
# still find their buttons.
# Usage: wayland_hidpi.sh MEANDOR RUNTIME WLPOINTER WORK-DIR
MEANDOR=$1 RUNTIME=$2 WLPOINTER=$3 WORK=$4
source "$(dirname "$0")/wayland.sh"
mkdir -p "$WORK"
x11_menu "$WORK/menu-x11.png"
convert "$WORK/menu-x11.png" -sample 200% "$WORK/menu-x11-doubled.png"

start_sway 2560x1600 2
start_game -u DISPLAY SDL_VIDEODRIVER=wayland
wl_window Menu "0 * * 1000 700" >/dev/null
wl_shows "$WORK/menu-scale2.png" "$WORK/menu-x11.png" 2
size=$(identify -format '%wx%h' "$WORK/menu-scale2.png")
diff=$(compare -metric AE "$WORK/menu-scale2.png" "$WORK/menu-x11-doubled.png" null: 2>&1 || true)
echo "scale 2: $size pixels, $diff of them unlike the X11 picture doubled"
[[ $size == 2000x1400 && $diff == 0 ]]

# Both buttons lie where only a click read in the window's units, scaled by 2, finds them.
wl_go Menu 235 237 Instuctions
wl_go Instuctions 875 587 Menu
echo "clicks at (235, 237) and (875, 587) open Instuctions and go Back"
kill -TERM "$GAME_PID"
expect_exit "$PROMPTLY" 143
