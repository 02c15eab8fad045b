# Shared by the end-to-end tests: a private X server, the real program started from its
# runtime tree, and waits on window titles that give up after a few seconds.
# start_game expects MEANDOR and RUNTIME to be set.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

stop_all() {
  [[ -n "${GAME_PID:-}" ]] && kill -9 "$GAME_PID" 2>/dev/null || true
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap stop_all EXIT

start_game() {
  GAME_LOG=$(mktemp)
  (cd "$RUNTIME" && exec env SDL_AUDIODRIVER=dummy "$MEANDOR" 2>"$GAME_LOG") &
  GAME_PID=$!
}

# The id of the window titled exactly $1, once it exists (10 s at most).
window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "no window titled '$1' appeared" >&2
  return 1
}

# Clicks at (x, y) in the window titled $1 until the window titled $4 shows up. A menu only
# hears clicks once its first pass has run, which a busy machine may delay.
go() { # from x y to
  local id
  for _ in $(seq 10); do
    id=$(window "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1 2>/dev/null || true
    for _ in $(seq 20); do
      xdotool search --name "^$4\$" >/dev/null 2>&1 && return 0
      sleep 0.05
    done
  done
  echo "no window titled '$4' after clicking ($2, $3) in '$1'" >&2
  return 1
}

# Each key is held for a moment, as a finger would; Enter for longer: the picture screens
# poll whether it is down, and a busy machine may still be loading the pictures.
key() { # title keys...
  local id
  id=$(window "$1")
  shift
  for k in "$@"; do
    xdotool keydown --window "$id" "$k"
    if [[ "$k" == Return ]]; then sleep 1; else sleep 0.1; fi
    xdotool keyup --window "$id" "$k"
    sleep 0.05
  done
}

# Waits for the game to end within $1 seconds and checks its exit status is $2.
expect_exit() {
  local deadline=$((SECONDS + $1)) status
  while kill -0 "$GAME_PID" 2>/dev/null; do
    if ((SECONDS > deadline)); then
      echo "the game did not end within $1 s" >&2
      return 1
    fi
    sleep 0.05
  done
  wait "$GAME_PID" && status=0 || status=$?
  GAME_PID=
  if [[ "$status" != "$2" ]]; then
    echo "exit status $status, expected $2; the game said:" >&2
    cat "$GAME_LOG" >&2
    return 1
  fi
}
