#!/usr/bin/env bash
# A request about a window already gone is forgiven, silently; any other X error still ends
# the program with status 1, at once: one line names the error, and nothing that runs at exit
# runs. A lost display is signals.sh's.
# Usage: stray_error.sh STRAY_ERROR
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
start_x
trap 'kill "$XVFB_PID"' EXIT
status=0
err=$("$1" gone 2>&1) || status=$?
echo "gone: status $status, said '$err'"
[[ $status == 0 && $err == "ran what runs at exit" ]]
status=0
err=$("$1" other 2>&1) || status=$?
echo "other: status $status, said '$err'"
[[ $status == 1 && $err == "stray_error: X error: BadAtom"* && $err != *$'\n'* ]]
