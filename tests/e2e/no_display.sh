#!/usr/bin/env bash
# Without a display the program says so on one line and ends with status 1 within a second.
# Usage: no_display.sh MEANDOR RUNTIME
set -euo pipefail
cd "$2"
start=$(date +%s%N)
status=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy timeout 5 "$1" 2>&1 >/dev/null) || status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
lines=$(printf '%s\n' "$err" | grep -c .)
echo "status $status after $elapsed ms: $err"
[[ $status == 1 && $lines == 1 && $elapsed -lt 1000 ]]
