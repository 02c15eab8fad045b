#!/usr/bin/env bash
# CPU of the real program, as a share of one core, from its own CPU time over 10 s on each
# screen where it waits: the main menu, a province picture, a level with no key, the pause.
# Usage: bench/cpu.sh [BUILD-DIR]   (default build/release; needs Xvfb and xdotool)
BUILD=$(realpath "${1:-build/release}")
MEANDOR=$BUILD/meandor RUNTIME=$BUILD/assets
source "$(dirname "$0")/../tests/e2e/lib.sh"
SECONDS_MEASURED=10

cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }

measure() { # label
  sleep 1
  local before after
  before=$(cpu_ticks)
  sleep "$SECONDS_MEASURED"
  after=$(cpu_ticks)
  awk -v l="$1" -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$SECONDS_MEASURED" \
    'BEGIN { printf "%-28s %5.2f %% of one core\n", l, 100 * t / hz / s }'
}

start_x
start_game
window Menu >/dev/null
measure "main menu"
go Menu 235 87 SubMenu
go SubMenu 235 87 Spel
measure "province picture"
key Spel Return
measure "level, no key"
key Spel p
measure "pause"
