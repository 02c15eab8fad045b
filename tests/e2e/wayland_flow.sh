#!/usr/bin/env bash
# The game on Wayland alone (SDL_VIDEODRIVER=wayland, no X server), under a headless sway:
# the menu drawn as on X11, a click and the keys, full screen and Alt+Plus/Minus, a window the
# compositor tiles to another size and a click that still finds its button, and the close from
# the compositor, with status 0 and nothing on standard error.
# Usage: wayland_flow.sh MEANDOR RUNTIME WLPOINTER WORK-DIR
MEANDOR=$1 RUNTIME=$2 WLPOINTER=$3 WORK=$4
source "$(dirname "$0")/wayland.sh"
mkdir -p "$WORK"
x11_menu "$WORK/menu-x11.png"

start_sway 1920x1200 1
start_game -u DISPLAY SDL_VIDEODRIVER=wayland
wl_window Menu "0 * * 1000 700" >/dev/null
wl_shows "$WORK/menu-wayland.png" "$WORK/menu-x11.png"
echo "the menu: 1000 x 700, as on X11"

wl_go Menu 235 237 Instuctions
wl_keys_until Menu "0 *" -k Escape
echo "a click opens Instuctions; Escape goes back"

wl_keys_until Menu "1 0 0 1920 1200" -M alt -k Return -m alt
# Full screen shows the whole picture again, scaled between black bars (103 pixels each side).
picture_between_bars() {
  wl_shot "$WORK/full-screen.png"
  read -r mean bar <<<"$(convert "$WORK/full-screen.png" -colorspace gray \
    -format '%[fx:mean] %[fx:p{50,600}]' info:)"
  awk -v m="$mean" -v b="$bar" 'BEGIN { exit !(m > 0.2 && b == 0) }'
}
within 30 picture_between_bars ||
  { echo "full screen shows no picture between bars (brightness $mean, bar $bar)" >&2; exit 1; }
wl_keys_until Menu "0 * * 1000 700" -M alt -k Return -m alt
wl_keys_until Menu "0 * * 1500 1050" -M alt -k equal -m alt
wl_keys_until Menu "0 * * 1000 700" -M alt -k minus -m alt
echo "Alt+Enter: full screen and back; Alt+Plus and Alt+Minus: 1500 x 1050 and back"

# Tiled, the window takes what the compositor gives; the picture is scaled into it and
# centred, and the button is where the picture shows it.
swaymsg -q "[pid=$GAME_PID] floating disable"
tiled() {
  read -r _ _ _ w h <<<"$(wl_window_now Menu)" && [[ "$w" != 1000 ]]
}
within 30 tiled || { echo "the compositor did not tile the window: $(view)" >&2; exit 1; }
scaled() { # x y: the picture's point on a window of w by h
  awk -v x="$1" -v y="$2" -v w="$w" -v h="$h" 'BEGIN {
    s = w / 1000 < h / 700 ? w / 1000 : h / 700
    printf "%d %d", int((w - 1000 * s) / 2 + x * s), int((h - 700 * s) / 2 + y * s) }'
}
wl_go Menu $(scaled 235 387) Credits
echo "tiled to $w x $h: a click on Credits opens it"

swaymsg -q "[pid=$GAME_PID] kill"
expect_exit "$PROMPTLY" 0
echo "closed by the compositor: status 0 after $EXIT_MS ms"
