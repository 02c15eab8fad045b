#!/usr/bin/env bash
# Makes the README's screenshots from the real program on a private X server:
# the main menu, the first province picture and a level in play (two portions
# of fries eaten, the hamburger called up). Scaled to 800 pixels wide and
# reduced to 256 colours so they stay small.
#   tools/screenshots.sh [BUILD_DIR [OUT_DIR]]     (defaults: build/release docs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(readlink -f "${1:-build/release}")
out=${2:-docs}
[[ -x $build/meandor ]] || { echo "no program at $build/meandor: build it first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  # SDL turns SIGTERM into a quit request, which a stuck game may never read.
  [[ -n "$game_pid" ]] && kill -KILL "$game_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source tests/e2e/xvfb.sh
start_x
xvfb_pid=$XVFB_PID

(cd "$build/assets" &&
  exec env -u SDL_VIDEODRIVER XDG_CONFIG_HOME="$work" SDL_AUDIODRIVER=dummy ../meandor) &
game_pid=$!

window() { timeout 10 xdotool search --sync --name "^$1\$" | head -n1; }

shoot() { # window-title file
  import -window "$(window "$1")" "$work/raw.png"
  convert "$work/raw.png" -resize 800x -dither FloydSteinberg -colors 256 "PNG8:$out/$2"
  echo "$out/$2: $(stat -c %s "$out/$2") bytes"
}

press() { # window-title keys...: one key at a time, as a player types
  local id
  id=$(window "$1")
  shift
  for key in "$@"; do
    xdotool key --window "$id" "$key"
    sleep 0.08
  done
}

# The menus register their click handler on their first pass.
window Menu >/dev/null
sleep 1
shoot Menu menu.png
xdotool mousemove --window "$(window Menu)" 235 87 click 1
window SubMenu >/dev/null
sleep 0.5
xdotool mousemove --window "$(window SubMenu)" 235 87 click 1
window Spel >/dev/null
sleep 1
shoot Spel province.png

# The province picture waits for Enter to be held.
xdotool keydown --window "$(window Spel)" Return
sleep 0.4
xdotool keyup --window "$(window Spel)" Return
sleep 0.5
press Spel Down Down Down Down Down Down Right Right Right Right Up
press Spel Down Right Right Right Right Right Right Right Up Up Up H
sleep 2
shoot Spel level.png

# Escape ends the game on its key-down, so the window may be gone before the key-up.
xdotool key --window "$(window Spel)" Escape 2>/dev/null || true
window Menu >/dev/null
sleep 0.5
xdotool mousemove --window "$(window Menu)" 235 537 click 1
wait "$game_pid"
game_pid=
