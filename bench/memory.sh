#!/usr/bin/env bash
# Resident memory of the real program after one visit of the main menu and after 50 round
# trips to the instructions screen and back. Usage: bench/memory.sh [BUILD-DIR]
# (default build/release; needs Xvfb and xdotool)
BUILD=$(realpath "${1:-build/release}")
MEANDOR=$BUILD/meandor RUNTIME=$BUILD/assets
source "$(dirname "$0")/../tests/e2e/lib.sh"

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$GAME_PID/status"; }

start_x
start_game
window Menu >/dev/null
sleep 1
first=$(rss_kib)
for _ in $(seq 50); do
  go Menu 235 237 Instuctions
  go Instuctions 875 587 Menu
done
sleep 1
after=$(rss_kib)
awk -v a="$first" -v b="$after" 'BEGIN {
  printf "after one main-menu visit       %6.1f MiB\n", a / 1024
  printf "after 50 instructions round trips %4.1f MiB (%+.1f %%)\n", b / 1024, 100 * (b - a) / a }'
