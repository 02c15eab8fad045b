#!/usr/bin/env bash
# Without a display the program says so on one line and ends with status 1 within a second.
# Usage: no_display.sh MEANDOR RUNTIME
set -euo pipefail
cd "$2"
start=$(date +%s%N)
status=0
# A session as a login without a display has it: no DISPLAY, no Wayland socket, no video
# driver named, and a private runtime directory.
session=$(mktemp -d)
trap 'rm -rf "$session"' EXIT
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$session" \
  SDL_AUDIODRIVER=dummy timeout 5 "$1" 2>&1 >/dev/null) || status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
lines=$(printf '%s\n' "$err" | grep -c .)
echo "status $status after $elapsed ms: $err"
[[ $status == 1 && $lines == 1 && $elapsed -lt 1000 ]]
