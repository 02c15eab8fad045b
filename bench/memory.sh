#!/usr/bin/env bash
# Resident memory of the real program after one visit of the main menu and after 50 round
# trips to the instructions screen and back; then of the game with the scripted player at the
# keys (meandor_autoplay) after one main-menu visit, after its first complete game on easy and
# after GAMES of them.
# Usage: bench/memory.sh [BUILD-DIR] [GAMES]   (default build/bench and 20; needs Xvfb and
# xdotool; a game takes about a minute)
BUILD=$(realpath "${1:-build/bench}")
GAMES=${2:-20}
RUNTIME=$BUILD/assets
source "$(dirname "$0")/../tests/e2e/lib.sh"

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$GAME_PID/status"; }
report() { # what first after
  awk -v what="$1" -v a="$2" -v b="$3" \
    'BEGIN { printf "%-36s %5.1f MiB -> %5.1f MiB (%+.1f %%)\n", what, a / 1024, b / 1024, 100 * (b - a) / a }'
}
menu_visit() {
  window Menu >/dev/null
  sleep 1
  rss_kib
}
quit() {
  xdotool mousemove --window "$(window Menu)" 235 537 click 1
  expect_exit 5 0
}

start_x
MEANDOR=$BUILD/meandor start_game
first=$(menu_visit)
for _ in $(seq 50); do
  go Menu 235 237 Instuctions
  go Instuctions 875 587 Menu
done
sleep 1
report "50 instructions round trips" "$first" "$(rss_kib)"
quit

MEANDOR=$BUILD/bench/meandor_autoplay start_game
first=$(menu_visit)
for game in $(seq "$GAMES"); do
  go Menu 235 87 SubMenu
  go SubMenu 235 87 Spel
  # The player ends each game on the final picture, and a fresh main menu opens.
  until xdotool search --name '^Menu$' >/dev/null 2>&1; do
    kill -0 "$GAME_PID" || { echo "the game ended during game $game" >&2; exit 1; }
    sleep 0.5
  done
  if ((game == 1)); then
    sleep 1
    after_one=$(rss_kib)
    report "1 complete game (scripted player)" "$first" "$after_one"
  fi
done
sleep 1
report "$GAMES complete games (scripted player)" "$first" "$(rss_kib)"
report "games 2 to $GAMES" "$after_one" "$(rss_kib)"
quit
