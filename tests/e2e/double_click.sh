#!/usr/bin/env bash
# A double-click on a menu button chooses that button alone: the second click does not reach
# the screen that follows, though its buttons lie in the same places. Start leads to the
# difficulty menu, not into a game; Back on it leads to the main menu, not out of the program.
# Usage: double_click.sh MEANDOR RUNTIME CLOSEBOX
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
source "$(dirname "$0")/lib.sh"
start_display
start_game

# Whether the window $1 is no longer titled $2, or gone.
retitled() { # id title
  local title
  title=$(xdotool getwindowname "$1" 2>/dev/null) || return 0
  [[ "$title" != "$2" ]]
}

# Double-clicks at (x, y) in the window titled $1 with $4 ms between the clicks until the title
# changes (a menu hears clicks only once its first pass has run), every three seconds; half a
# second later, time for a second click to act, the title must be $5 and the game still
# running.
double_click() { # from x y delay to
  local id title
  id=$(window "$1")
  for _ in $(seq 10); do
    xdotool mousemove --window "$id" "$2" "$3" click --repeat 2 --delay "$4" 1 2>/dev/null || true
    within 3 retitled "$id" "$1" && break
  done
  sleep 0.5
  title=$(xdotool getwindowname "$id" 2>/dev/null) || title="(the game ended)"
  if [[ "$title" != "$5" ]]; then
    echo "a double-click ($4 ms) at ($2, $3) in '$1' led to '$title', not '$5'" >&2
    return 1
  fi
  echo "double-click ($4 ms) at ($2, $3) in '$1': '$5'"
}

for delay in 80 150 250; do
  double_click Menu 235 87 "$delay" SubMenu
  double_click SubMenu 235 537 "$delay" Menu
done
quit
