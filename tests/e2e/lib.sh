# Shared by the end-to-end tests: a private X server (with openbox on it when E2E_WM=openbox),
# the real program started from its runtime tree, and waits on window titles that give up after
# half a minute: CI's machine may be busy, and a wait that is met costs no more for it. The
# program shows every screen in one X window that only changes its title, so a window is found
# by its title and its id stays good until the program ends.
# start_game expects MEANDOR and RUNTIME to be set, close_box CLOSEBOX.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The game's settings live here, never in the player's own folder.
CONFIG=$(mktemp -d)

# How long the game may take to end after a close or a signal: on an idle machine it takes
# 30 to 300 ms, beside two busy loops up to a second or more.
PROMPTLY=5

# Runs the command after $1 every 20 ms until it succeeds; false if it has not after $1 whole
# seconds.
within() { # seconds command...
  local limit=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    ((${EPOCHREALTIME/./} < limit)) || return 1
    sleep 0.02
  done
}

stop_all() {
  [[ -n "${GAME_PID:-}" ]] && kill -9 "$GAME_PID" 2>/dev/null || true
  [[ -n "${WM_PID:-}" ]] && kill "$WM_PID" 2>/dev/null || true
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$CONFIG"
}
trap stop_all EXIT

# Whether openbox manages the display, or is still starting up to: it announces itself on the
# root window.
wm_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    ! kill -0 "$WM_PID" 2>/dev/null
}

# Openbox on the private display, once it manages it.
start_wm() {
  openbox --sm-disable --config-file "$E2E_DIR/openbox-rc.xml" >/dev/null 2>&1 &
  WM_PID=$!
  within 30 wm_ready && kill -0 "$WM_PID" 2>/dev/null && return 0
  echo "openbox did not take the display" >&2
  return 1
}

start_display() {
  start_x
  case "${E2E_WM:-}" in
    '') ;;
    openbox) start_wm ;;
    *) echo "unknown window manager '$E2E_WM'" >&2; return 1 ;;
  esac
}

# Arguments go to env before the game, as --ignore-signal=HUP to start it as nohup does; those
# after a -- go to the game.
start_game() {
  local envs=()
  while (($#)) && [[ $1 != -- ]]; do
    envs+=("$1")
    shift
  done
  (($#)) && shift
  GAME_LOG=$(mktemp)
  (cd "$RUNTIME" &&
    exec env "${envs[@]}" XDG_CONFIG_HOME="$CONFIG" SDL_AUDIODRIVER=dummy "$MEANDOR" "$@" \
      2>"$GAME_LOG") &
  GAME_PID=$!
}

# The id of the window titled exactly $1, if there is one now.
window_now() {
  local id
  id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1) || true
  [[ -n "$id" ]] && echo "$id"
}

# The id of the window titled exactly $1, once it exists.
window() {
  within 30 window_now "$1" && return 0
  echo "no window titled '$1' appeared" >&2
  return 1
}

# True when a window titled exactly $1 is there now.
appears() {
  xdotool search --name "^$1\$" >/dev/null 2>&1
}

# The client size of the window $1, as WIDTHxHEIGHT.
size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }

# Whether the client area of the window $1 is $2.
is_sized() { [[ "$(size "$1")" == "$2" ]]; }

# The client area of the window $1 comes to be $2.
sized() { # id size
  within 30 is_sized "$1" "$2" && return 0
  echo "client area $(size "$1"), expected $2" >&2
  return 1
}

# Photographs the window $1 (root: the whole screen), or the part $3 of it (WxH+X+Y), into
# the PNG $2.
photo() { # window file [part]
  import -window "$1" ppm:- | convert - ${3:+-crop "$3" +repage} "$2"
}

# Photographs the window $1, or the part $3 of it, into the PNG $2 once what it shows has
# settled: a picture of more than one colour, the same in two shots a fifth of a second apart.
# A busy machine may still be loading what the screen draws next.
settled_shot() { # window file [part]
  local before=$2.before.png
  photo "$1" "$before" "${3:-}"
  for _ in $(seq 100); do
    sleep 0.2
    photo "$1" "$2" "${3:-}"
    if [[ "$(convert "$2" -format '%k' info:)" != 1 ]] &&
      compare -metric AE "$before" "$2" null: 2>/dev/null; then
      rm -f "$before"
      return 0
    fi
    mv "$2" "$before"
  done
  echo "the picture of window $1 did not settle" >&2
  return 1
}

# Whether the window $1 shows exactly the picture file $2 (of the window's size) now.
shows_picture() { # window file
  [[ "$(import -window "$1" ppm:- 2>/dev/null | compare -metric AE - "$2" null: 2>&1)" == 0 ]]
}

# Holds Enter in the window titled $1 until it no longer shows the first province's picture:
# the picture screens hear Enter only while they wait for it, which a busy machine may delay.
enter_level() { # title
  local id province=$RUNTIME/afbeeldingen/Limburg.bmp
  id=$(window "$1")
  if ! within 30 shows_picture "$id" "$province"; then
    echo "the window titled '$1' does not show $province" >&2
    return 1
  fi
  for _ in 1 2 3; do
    key "$1" Return
    within 10 not shows_picture "$id" "$province" && return 0
  done
  echo "Enter did not start the level" >&2
  return 1
}

# Whether the command fails.
not() { ! "$@"; }

# Clicks at (x, y) in the window titled $1 until the window titled $4 shows up. A menu only
# hears clicks once its first pass has run, which a busy machine may delay. The click is given
# again only after three seconds, ten times what a screen change takes when idle: one sent
# while the menu is still leaving for the next screen may land on that screen.
go() { # from x y to
  local id
  for _ in $(seq 10); do
    id=$(window "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1 2>/dev/null || true
    within 3 appears "$4" && return 0
  done
  echo "no window titled '$4' after clicking ($2, $3) in '$1'" >&2
  return 1
}

# Each key is held for a moment, as a finger would; Enter for longer: the picture screens
# poll whether it is down, and a busy machine may still be loading the pictures. A press the
# X server refuses is sent again to the window titled $1 as it is then; a release that finds
# no window (the key ended the program) is of no matter.
key() { # title keys...
  local title=$1 id sent
  shift
  for k in "$@"; do
    sent=
    for _ in $(seq 5); do
      id=$(window "$title")
      xdotool keydown --window "$id" "$k" 2>/dev/null && sent=1 && break
      sleep 0.2
    done
    [[ -n "$sent" ]] || { echo "key $k could not be sent to '$title'" >&2; return 1; }
    if [[ "$k" == Return ]]; then sleep 1; else sleep 0.1; fi
    xdotool keyup --window "$id" "$k" 2>/dev/null || true
    sleep 0.05
  done
}

# Closes the window titled $1 as the desktop would: its close box on bare X; under a window
# manager, the manager's close, which like a taskbar's needs the window managed (WM_STATE set).
close_box() {
  local id
  id=$(window "$1")
  if [[ -z "${WM_PID:-}" ]]; then
    "$CLOSEBOX" "$id"
    return
  fi
  if within 30 managed "$id"; then
    "$CLOSEBOX" --wm "$id"
    return
  fi
  echo "the window manager did not take the window titled '$1'" >&2
  return 1
}

# Whether the window manager has taken the window $1 (WM_STATE set).
managed() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'window state'; }

# Whether the game has ended.
ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# Clicks Quit on the Menu until the game has gone, every three seconds: the Menu hears clicks
# only once its first pass has run. Then the exit as expect_exit wants it.
quit() {
  local id
  id=$(window Menu)
  for _ in $(seq 10); do
    xdotool mousemove --window "$id" 235 537 click 1 2>/dev/null || true
    within 3 ended && break
  done
  expect_exit "$PROMPTLY" 0
}

# Waits up to $1 seconds (a fraction will do) for the game to end; EXIT_STATUS and EXIT_MS
# tell how and when. FALSE, with the game still running, when it did not end. It watches the
# process rather than `wait -n` on it: a game that ends before that wait starts has already
# left bash's job table, and `wait -n` would then wait for the timer alone. `wait PID` still
# gives the status of a child bash has reaped.
await_exit() { # seconds
  local start=${EPOCHREALTIME/./} limit status
  limit=$((start + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000000 }')))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    ((${EPOCHREALTIME/./} < limit)) || return 1
    sleep 0.005
  done
  wait "$GAME_PID" && status=0 || status=$?
  EXIT_MS=$(((${EPOCHREALTIME/./} - start) / 1000)) EXIT_STATUS=$status GAME_PID=
}

# The game ends within $1 seconds with status $2 and nothing on standard error.
expect_exit() { # seconds status
  await_exit "$1" || { echo "the game did not end within $1 s" >&2; return 1; }
  if [[ "$EXIT_STATUS" != "$2" || -s "$GAME_LOG" ]]; then
    echo "exit status $EXIT_STATUS (expected $2) after $EXIT_MS ms; the game said:" >&2
    cat "$GAME_LOG" >&2
    return 1
  fi
  rm -f "$GAME_LOG"
}

# Runs the command after $1 and $2 up to $1 times, until a window titled $2 appears within
# three seconds of it: for input that a busy machine's screen may not be ready to hear yet.
hold() { # tries title command...
  local tries=$1 title=$2
  shift 2
  for _ in $(seq "$tries"); do
    "$@"
    within 3 appears "$title" && return 0
  done
  echo "no window titled '$title' after $tries tries of: $*" >&2
  return 1
}
