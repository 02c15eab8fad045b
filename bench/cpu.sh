#!/usr/bin/env bash
# CPU of the real program, as a share of one core, from its own CPU time over 10 s on each
# screen where it waits: the main menu, a province picture, a level with no key, the pause.
# With full-screen, every screen is measured full screen under openbox, the picture scaled.
# Usage: bench/cpu.sh [BUILD-DIR [full-screen]]   (default build/release; needs Xvfb and xdotool)
BUILD=$(realpath "${1:-build/release}") FULL=${2:-}
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

# Alt+Enter to the window titled $1, in the full-screen run; the menus are clicked in a window.
toggle() { [[ -z "$FULL" ]] || xdotool key --window "$(window "$1")" alt+Return; }

start_x
[[ -z "$FULL" ]] || start_wm
start_game
window Menu >/dev/null
toggle Menu
measure "main menu"
toggle Menu
go Menu 235 87 SubMenu
go SubMenu 235 87 Spel
toggle Spel
measure "province picture"
key Spel Return
measure "level, no key"
key Spel p
measure "pause"
