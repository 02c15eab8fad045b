#!/usr/bin/env bash
# Closes the real program many times at random moments on every kind of screen: right after
# its window appears, while the menu music starts, on each menu, the province picture, in play
# and in the pause. Half the runs on bare X with the close box, half under openbox with its own
# close, on J X servers side by side (default 4). Every run must end promptly after the close
# (lib.sh's PROMPTLY), with status 0 and nothing on standard error.
# Usage: close_stress.sh MEANDOR RUNTIME CLOSEBOX [--count N] [--seed S] [--jobs J]
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
shift 3
COUNT=300 SEED=$$ JOBS=4
while (($#)); do
  case "$1" in
    --count) COUNT=$2; shift 2 ;;
    --seed) SEED=$2; shift 2 ;;
    --jobs) JOBS=$2; shift 2 ;;
    *) sed -n 's/^# Usage: //p' "$0" >&2; exit 2 ;;
  esac
done
source "$(dirname "$0")/lib.sh"
SCREENS=(Appeared Music Menu SubMenu Instuctions Credits Province Play Pause)
# The moments while the window and the menu are being set up come twice as often: they are
# the quick ones, and the ones where a close meets the most half-done work.
DRAWS=("${SCREENS[@]}" Appeared Music Menu)
RESULTS=$(mktemp -d)
trap 'stop_all; rm -rf "$RESULTS"' EXIT

# Sleeps a random 0 to $1 ms.
pause() { sleep "$(printf '0.%03d' $((RANDOM % ($1 + 1))))"; }

# Brings the game to screen $1 and waits a random moment there; prints the window's title.
declare -A TITLE=([SubMenu]=SubMenu [Instuctions]=Instuctions [Credits]=Credits
  [Province]=Spel [Play]=Spel [Pause]=Spel)
reach() {
  case "$1" in
    Appeared) window Menu ;;
    Music) window Menu && pause 300 ;;
    Menu) window Menu && sleep 0.3 && pause 500 ;;
    SubMenu) go Menu 235 87 SubMenu && pause 300 ;;
    Instuctions) go Menu 235 237 Instuctions && pause 300 ;;
    Credits) go Menu 235 387 Credits && pause 300 ;;
    Province) go Menu 235 87 SubMenu && go SubMenu 235 87 Spel && pause 500 ;;
    Play) go Menu 235 87 SubMenu && go SubMenu 235 87 Spel && key Spel Return Right && pause 300 ;;
    Pause) go Menu 235 87 SubMenu && go SubMenu 235 87 Spel && key Spel Return p && pause 300 ;;
  esac >/dev/null && echo "${TITLE[$1]:-Menu}"
}

# $1 runs on a display of its own, under window manager $2 (or none), random numbers from seed
# $4; one line a run in $3: the screen, the exit status (or "late" when the game ended only
# in the 10 s after the time allowed, "hang" when not even then, or "unreached"), whether
# anything came on standard error (0 or 1), the run's ms from start to end.
worker() {
  local runs=$1 title screen began said status
  E2E_WM=$2
  RANDOM=$4
  trap stop_all EXIT
  start_display
  for ((i = 0; i < runs; i++)); do
    screen=${DRAWS[RANDOM % ${#DRAWS[@]}]}
    began=${EPOCHREALTIME/./}
    start_game
    if ! title=$(reach "$screen") || ! close_box "$title" 2>/dev/null; then
      status=unreached
    elif await_exit "$PROMPTLY"; then
      status=$EXIT_STATUS
    elif await_exit 10; then
      status=late
    else
      status=hang
    fi
    said=0
    if [[ -s "$GAME_LOG" ]]; then
      said=1
      { echo "--- $screen${E2E_WM:+ under $E2E_WM}:"; cat "$GAME_LOG"; } >>"${3/run./said.}"
    fi
    echo "$screen $status $said $(((${EPOCHREALTIME/./} - began) / 1000))" >>"$3"
    if [[ -n "$GAME_PID" ]]; then
      kill -9 "$GAME_PID" 2>/dev/null || true
      wait "$GAME_PID" 2>/dev/null || true
    fi
    GAME_PID=
    rm -f "$GAME_LOG"
  done
}

start=$SECONDS
for ((j = 0; j < JOBS; j++)); do
  wm=$( ((j % 2)) && echo openbox || true)
  worker $(((COUNT + j) / JOBS)) "$wm" "$RESULTS/run.$j" $((SEED + j)) &
done
wait
cat "$RESULTS"/run.* >"$RESULTS/all"
awk -v time=$((SECONDS - start)) -v seed="$SEED" -v screens="${SCREENS[*]}" '
  { n++; by[$1]++; ok += $2 == "0"; quiet += $3 == 0; hangs += $2 == "hang"
    late += $2 == "late"; unreached += $2 == "unreached"; ms[$1] += $4 }
  END {
    printf "closes: %d, status 0: %d, empty stderr: %d, hangs: %d, late: %d, unreached: %d,",
           n, ok, quiet, hangs, late, unreached
    printf " by screen:"
    split(screens, order, " ")
    for (i = 1; i in order; i++) printf " %s %d", order[i], by[order[i]]
    printf " (%d s, seed %s)\nmean ms a run, start to end, by screen:", time, seed
    for (i = 1; i in order; i++)
      if (by[order[i]]) printf " %s %d", order[i], ms[order[i]] / by[order[i]]
    print ""
  }' "$RESULTS/all"
cat "$RESULTS"/said.* 2>/dev/null | head -n 40 >&2 || true
awk '$2 != "0" || $3 != 0 { print "failed:", $0 }' "$RESULTS/all" | head -n 20 >&2
[[ $(wc -l <"$RESULTS/all") -eq $COUNT ]] && awk '$2 != "0" || $3 != 0 { exit 1 }' "$RESULTS/all"
