#!/usr/bin/env bash
# Starts an installed Meandor as a desktop menu would: the Exec line of its
# desktop entry, with the prefix's bin and games folders on the PATH (a Debian
# user's PATH holds /usr/games) and the file system root as working directory,
# on a private X server. Passes when the "Menu" window opens showing its
# picture and the Quit button ends the game with status 0.
#   start-from-menu-entry.sh PREFIX APP_ID
set -euo pipefail
prefix=$(readlink -f "$1")
entry=$prefix/share/applications/$2.desktop
command=$(sed -n 's/^Exec=//p' "$entry")
[[ -n "$command" ]] || { echo "no Exec line in $entry" >&2; exit 1; }

xvfb_pid=
game_pid=
cleanup() {
  # SDL turns SIGTERM into a quit request, which a stuck game may never read.
  [[ -n "$game_pid" ]] && kill -KILL "$game_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

source "$(dirname "$0")/../e2e/xvfb.sh"
start_x
xvfb_pid=$XVFB_PID

cd /
# The Exec line is split into words as a menu would; it holds no field codes.
read -r -a words <<<"$command"
env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy PATH="$prefix/bin:$prefix/games:$PATH" "${words[@]}" &
game_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Menu$' | head -n1) ||
  { echo "no window titled Menu appeared" >&2; exit 1; }

# A black window would mean the game ran outside its runtime tree: its pictures
# load by relative path and simply stay away when missing. The picture comes a
# moment after the window, later still under the sanitizers.
brightness=0
for _ in $(seq 40); do
  brightness=$(import -window "$window" -colorspace gray -format '%[fx:mean]' info:)
  awk -v b="$brightness" 'BEGIN { exit !(b > 0.2) }' && break
  sleep 0.25
done
awk -v b="$brightness" 'BEGIN { exit !(b > 0.2) }' ||
  { echo "the menu shows no picture (mean brightness $brightness)" >&2; exit 1; }

# Quit is the fourth button of the column at x 110, y 50 + 3 * 150, 250 x 75. The
# menu takes clicks once its loop runs, so a click that came too early is repeated.
for _ in $(seq 20); do
  xdotool mousemove --window "$window" 235 537 click 1 2>/dev/null || true
  for _ in $(seq 10); do
    kill -0 "$game_pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "Quit did not end the game within 20 s" >&2
  exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=
[[ $status -eq 0 ]] || { echo "the game ended with status $status" >&2; exit 1; }
echo "started from the menu entry in $prefix: Menu shown, Quit ended it"
