# For the end-to-end tests on Wayland: a private headless sway (no X server, no XWayland), a
# pointer on its seat, and the game's window found, clicked, typed at and photographed through
# sway's own tools. start_sway exports what a Wayland session has (WAYLAND_DISPLAY,
# XDG_RUNTIME_DIR) and leaves DISPLAY to the caller, who may want an X server beside it.
# Expects WLPOINTER (the pointer helper) to be set; lib.sh gives start_game and expect_exit.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# sway refuses to run as root; as root it runs as nobody, in a runtime folder of that user's.
# The game and the tools, as root, may still use its sockets.
AS_COMPOSITOR_USER=()
(($(id -u) == 0)) && AS_COMPOSITOR_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

stop_sway() {
  [[ -n "${POINTER_PID:-}" ]] && kill "$POINTER_PID" 2>/dev/null || true
  [[ -n "${SWAY_PID:-}" ]] && kill "$SWAY_PID" 2>/dev/null || true
  wait "${POINTER_PID:-}" "${SWAY_PID:-}" 2>/dev/null || true
  POINTER_PID= SWAY_PID=
  [[ -n "${SWAY_DIR:-}" ]] && rm -rf "$SWAY_DIR"
  SWAY_DIR=
}
trap 'stop_sway; stop_all' EXIT

# One output of $1 (default 1920x1200) at scale $2 (default 1); every window floats at the
# size it asks for unless a test tiles it.
start_sway() { # mode scale
  SWAY_DIR=$(mktemp -d)
  (($(id -u) == 0)) && chown nobody:nogroup "$SWAY_DIR"
  chmod 700 "$SWAY_DIR"
  cat >"$SWAY_DIR/config" <<EOF
xwayland disable
output HEADLESS-1 mode ${1:-1920x1200} position 0 0 scale ${2:-1}
default_border normal
for_window [title=".*"] floating enable
EOF
  "${AS_COMPOSITOR_USER[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$SWAY_DIR" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
    sway -c "$SWAY_DIR/config" >"$SWAY_DIR/log" 2>&1 &
  SWAY_PID=$!
  export XDG_RUNTIME_DIR=$SWAY_DIR WAYLAND_DISPLAY= SWAYSOCK=
  within 30 sway_ready || true
  if ! swaymsg -t get_version >/dev/null 2>&1; then
    echo "sway did not start:" >&2
    cat "$SWAY_DIR/log" >&2
    return 1
  fi
  coproc POINTER { exec "$WLPOINTER"; }
  local ready=
  read -r -t 30 ready <&"${POINTER[0]}" || true
  [[ "$ready" == ready ]] || { echo "no pointer on the seat" >&2; return 1; }
}

# Whether sway answers on its sockets, or has gone; WAYLAND_DISPLAY and SWAYSOCK name them.
sway_ready() {
  WAYLAND_DISPLAY=$(find "$SWAY_DIR" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n1)
  SWAYSOCK=$(find "$SWAY_DIR" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n1)
  [[ -n "$WAYLAND_DISPLAY" && -n "$SWAYSOCK" ]] && swaymsg -t get_version >/dev/null 2>&1 ||
    ! kill -0 "$SWAY_PID" 2>/dev/null
}

# The compositor goes away at once, as when the session ends.
kill_sway() {
  kill -9 "$SWAY_PID" "$POINTER_PID" 2>/dev/null || true
  wait "$SWAY_PID" "$POINTER_PID" 2>/dev/null || true
  POINTER_PID= SWAY_PID=
}

# The game's window as sway sees it: its title, full-screen state and client area on the
# layout, "TITLE FULL X Y W H" (nothing while it has none).
view() {
  swaymsg -t get_tree 2>/dev/null | jq -r --argjson pid "${GAME_PID:-0}" '
    .. | objects | select(.pid? == $pid and .name? != null)
    | "\(.name)\t\(.fullscreen_mode) \(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"' |
    head -n1
}

# Whether the game's window is titled $1 and the rest of its view ("FULL X Y W H") matches the
# pattern $2; prints "FULL X Y W H" if so.
wl_window_now() { # title [pattern]
  local v
  v=$(view)
  [[ "${v%%$'\t'*}" == "$1" && "${v#*$'\t'}" == ${2:-*} ]] && echo "${v#*$'\t'}"
}

# Waits until the game's window is titled $1 and, given $2, until the rest of its view matches
# the pattern $2; prints "FULL X Y W H".
wl_window() { # title [pattern]
  within 30 wl_window_now "$@" && return 0
  echo "no window titled '$1'${2:+ with '$2'}; the game's window: '$(view)'" >&2
  return 1
}

# Clicks (x, y) of the window's client area, in the window's units.
wl_click_at() { # x y
  local full x0 y0 w h
  read -r full x0 y0 w h <<<"$(view | cut -f2)"
  swaymsg -q seat - cursor set $((x0 + $1)) $((y0 + $2))
  swaymsg -q seat - cursor press button1
  swaymsg -q seat - cursor release button1
}

# Clicks (x, y) in the window titled $1 until it is titled $4, as lib.sh's go.
wl_go() { # from x y to
  for _ in $(seq 10); do
    wl_window "$1" >/dev/null || return 1
    wl_click_at "$2" "$3"
    within 3 wl_window_now "$4" >/dev/null && return 0
  done
  echo "no window titled '$4' after clicking ($2, $3) in '$1'" >&2
  return 1
}

# Types with wtype (arguments as wtype's) until the game's window matches "TITLE\tPATTERN". A
# virtual keyboard of wtype's own comes to the seat with each call: it waits a moment before
# its keys, for the game to take the keyboard.
wl_keys_until() { # title pattern wtype-arguments...
  local title=$1 pattern=$2
  shift 2
  for _ in $(seq 5); do
    wtype -s 200 "$@"
    within 3 wl_window_now "$title" "$pattern" >/dev/null && return 0
  done
  echo "typing $* did not bring '$title' with '$pattern'; the game's window: '$(view)'" >&2
  return 1
}

# The client area of the game's window, at the output's pixels, to the PNG $1; the pointer is
# moved off it first.
wl_shot() { # file
  local full x0 y0 w h
  read -r full x0 y0 w h <<<"$(view | cut -f2)"
  swaymsg -q seat - cursor set 0 0
  grim -g "$x0,$y0 ${w}x$h" "$1"
}

# Photographs the window into $1: whether it shows the picture of the PNG $2 (scaled by $3 at
# sample points, default 1).
wl_shows_now() { # file reference [scale]
  wl_shot "$1"
  convert "$1" -sample "$((100 / ${3:-1}))%" "$1.small.png"
  [[ "$(compare -metric AE "$1.small.png" "$2" null: 2>&1)" == 0 ]]
}

# Photographs the window into $1 until it shows the picture of the PNG $2 (scaled by $3).
wl_shows() { # file reference [scale]
  local scaled=$1.small.png
  within 30 wl_shows_now "$@" && return 0
  echo "the window does not show $2: $(compare -metric AE "$scaled" "$2" null: 2>&1) pixels differ" >&2
  return 1
}

# The main menu as the game draws it on X11, to the PNG $1: from a private Xvfb, gone after.
x11_menu() { # file
  start_x
  start_game -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER
  local id
  id=$(window Menu)
  settled_shot "$id" "$1"
  kill -TERM "$GAME_PID"
  expect_exit "$PROMPTLY" 143
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
  unset DISPLAY
}
