#!/usr/bin/env bash
# Closes the game from a headless sway (its `kill`, as a title bar's close button) at random
# moments: right after its window appears, on the menus, the province picture and in play.
# Every run must end promptly after the close, with status 0 and nothing on standard error.
# Usage: wayland_close_stress.sh MEANDOR RUNTIME WLPOINTER [--count N] [--seed S]
MEANDOR=$1 RUNTIME=$2 WLPOINTER=$3
shift 3
COUNT=100 SEED=$$
while (($#)); do
  case "$1" in
    --count) COUNT=$2; shift 2 ;;
    --seed) SEED=$2; shift 2 ;;
    *) sed -n 's/^# Usage: //p' "$0" >&2; exit 2 ;;
  esac
done
source "$(dirname "$0")/wayland.sh"
unset DISPLAY
RANDOM=$SEED
SCREENS=(Appeared Menu Instuctions SubMenu Province Play Appeared Menu)

pause() { sleep "$(printf '0.%03d' $((RANDOM % ($1 + 1))))"; }

reach() {
  case "$1" in
    Appeared) wl_window Menu ;;
    Menu) wl_window Menu && pause 800 ;;
    Instuctions) wl_go Menu 235 237 Instuctions && pause 300 ;;
    SubMenu) wl_go Menu 235 87 SubMenu && pause 300 ;;
    Province) wl_go Menu 235 87 SubMenu && wl_go SubMenu 235 87 Spel && pause 500 ;;
    Play) wl_go Menu 235 87 SubMenu && wl_go SubMenu 235 87 Spel &&
      wtype -s 200 -P Return -s 800 -p Return -k Right && pause 300 ;;
  esac >/dev/null
}

start_sway
failed=0 closes=0
for ((i = 0; i < COUNT; i++)); do
  screen=${SCREENS[RANDOM % ${#SCREENS[@]}]}
  start_game -u SDL_VIDEODRIVER
  if ! reach "$screen"; then
    echo "run $i: $screen not reached" >&2
    failed=1
    break
  fi
  swaymsg -q "[pid=$GAME_PID] kill"
  if ! expect_exit "$PROMPTLY" 0; then
    echo "run $i, closed on $screen" >&2
    failed=1
    break
  fi
  closes=$((closes + 1))
done
echo "closes: $closes of $COUNT with status 0 and nothing on standard error (seed $SEED)"
exit "$failed"
