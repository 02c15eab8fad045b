#!/usr/bin/env bash
# Where the compositor leaves the title bar to the program (sway's `border csd`), SDL draws
# it with libdecor: it shows with the first picture, and its close button ends the game with
# status 0 and nothing on standard error.
# Usage: wayland_title_bar.sh MEANDOR RUNTIME WLPOINTER
MEANDOR=$1 RUNTIME=$2 WLPOINTER=$3
source "$(dirname "$0")/wayland.sh"
unset DISPLAY

start_sway
swaymsg -q 'for_window [title=".*"] border csd'
start_game SDL_VIDEODRIVER=wayland SDL_VIDEO_WAYLAND_PREFER_LIBDECOR=1
# The title bar is part of the window's geometry, above the picture.
read -r _ x0 y0 _ _ <<<"$(wl_window Menu "0 * * 1000 724")"
swaymsg -q seat - cursor set 0 0
colours=1
bar_drawn() {
  colours=$(grim -g "$x0,$y0 1000x24" - | convert - -format %k info:)
  ((colours > 1))
}
within 30 bar_drawn || true
echo "the title bar: $colours colours"
((colours > 1))

swaymsg -q seat - cursor set $((x0 + 984)) $((y0 + 12))
swaymsg -q seat - cursor press button1
swaymsg -q seat - cursor release button1
expect_exit "$PROMPTLY" 0
echo "its close button: status 0 after $EXIT_MS ms"
