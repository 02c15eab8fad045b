#!/usr/bin/env bash
# Without a display the program says so on one line, its own, and ends with status 1 within a
# second: in a login session without a display (a private runtime folder), and where there is
# no session at all (no runtime folder, as under su or cron).
# Usage: no_display.sh MEANDOR RUNTIME
set -euo pipefail
cd "$2"
session=$(mktemp -d)
trap 'rm -rf "$session"' EXIT

no_display() { # what env-arguments...
  local what=$1 start status=0 err elapsed
  shift
  start=$(date +%s%N)
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" XDG_CONFIG_HOME="$session" \
    SDL_AUDIODRIVER=dummy \
    timeout 5 "$MEANDOR" 2>&1 >/dev/null) || status=$?
  elapsed=$((($(date +%s%N) - start) / 1000000))
  echo "$what: status $status after $elapsed ms: $err"
  [[ $status == 1 && $err == "meandor: cannot open a window (is there a display?)" &&
     $elapsed -lt 1000 ]]
}

MEANDOR=$1
no_display "a session without a display" XDG_RUNTIME_DIR="$session"
no_display "no session" -u XDG_RUNTIME_DIR
