#!/usr/bin/env bash
# The Windows build under Wine beside the Linux build, on one Xvfb under openbox: (a) start to
# the main menu drawn, its picture the same as the Linux game's, median of RUNS starts of each;
# (b) CPU of the main menu left alone over 10 s, as a share of one core: the game's process, and
# under Wine every process of the prefix, wineserver and Wine's services included.
# Usage: bench/windows.sh [WINDOWS-BUILD [RUNS]]   (default build/windows, 5; after a build
# of the windows preset with its tests, which installs nothing: the program runs in its tree)
BUILD=$(realpath "${1:-build/windows}") RUNS=${2:-5}
WINE_RUN=$(realpath "$(dirname "$0")/../tools/wine-run.sh")
PREFIX=$BUILD/wine-bench
export E2E_WM=openbox
unset MEANDOR_WINE_GRAPHICS
source "$(dirname "$0")/../tests/e2e/lib.sh"
CLOSEBOX=$BUILD/host/tests/e2e/closebox
SHOT=$(mktemp -d)

linux() { MEANDOR=$BUILD/host/meandor RUNTIME=$BUILD/host/assets start_game; }
windows() { MEANDOR=$WINE_RUN RUNTIME=$BUILD/assets start_game -- "$PREFIX" "$BUILD/assets/meandor.exe"; }

drawn() { [[ -n $(window_now Menu) ]] && shows_picture "$(window_now Menu)" "$SHOT/menu.png"; }

# Milliseconds from the start to the menu drawn.
start_ms() { # linux|windows
  local start=${EPOCHREALTIME/./}
  "$1"
  within 60 drawn || { echo "no menu" >&2; return 1; }
  echo $(((${EPOCHREALTIME/./} - start) / 1000))
  close_box Menu
  await_exit 10
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

ticks_of() { # pids...
  local total=0 pid
  for pid in "$@"; do
    [[ -r /proc/$pid/stat ]] && total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat")))
  done
  echo "$total"
}

# Every process started in the prefix, wineserver among them.
prefix_pids() {
  grep -lsz "^WINEPREFIX=$PREFIX\$" /proc/[0-9]*/environ | cut -d/ -f3
}

idle_cpu() { # linux|windows
  "$1"
  within 60 drawn
  sleep 2
  local pids before after
  if [[ $1 == windows ]]; then mapfile -t pids < <(prefix_pids); else pids=("$GAME_PID"); fi
  before=$(ticks_of "${pids[@]}")
  sleep 10
  after=$(ticks_of "${pids[@]}")
  close_box Menu
  await_exit 10
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }'
}

start_display
# The Linux game's menu as it is drawn, for both to be compared with.
linux
id=$(window Menu)
settled_shot "$id" "$SHOT/menu.png"
close_box Menu
await_exit 10
# A first start makes the prefix and starts Wine's services: not counted.
start_ms windows >/dev/null
for kind in linux windows; do
  times=()
  for _ in $(seq "$RUNS"); do times+=("$(start_ms "$kind")"); done
  echo "$kind: start to menu drawn, median of $RUNS: $(median "${times[@]}") ms (${times[*]})"
  echo "$kind: main menu left alone: $(idle_cpu "$kind") % of one core"
done
rm -rf "$SHOT"
