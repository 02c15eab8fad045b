#!/usr/bin/env bash
# Runs a Windows program under Debian's 64-bit Wine in the prefix PREFIX, made on first use:
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...]
# Wine stays quiet, makes no menu entries, asks to install neither Mono nor Gecko, and ends a
# program that crashes instead of starting its debugger on it. With
# MEANDOR_WINE_GRAPHICS=null its windows are drawn nowhere, so that no X display is needed.
set -euo pipefail

prefix=$(realpath -m "$1")
shift
wine=/usr/lib/wine/wine64
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINELOADER=$wine
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"

made() { [[ -f $WINEPREFIX/meandor.made ]]; }
if ! made; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if ! made; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1
    if [[ ${MEANDOR_WINE_GRAPHICS:-} == null ]]; then
      "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/meandor.made"
  fi
  exec 9>&-
fi
# One server for a whole test run, not one per program; it leaves a minute after the last.
/usr/lib/wine/wineserver -p 60 </dev/null >/dev/null 2>&1 || true
# The processes Wine starts beside the program (its services, the desktop) outlive it with the
# program's output files open: a caller that reads the program's output to its end, as CTest
# does, would wait for them. So the program writes to files, passed on once it has ended.
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
status=0
"$wine" "$@" >"$output/out" 2>"$output/err" || status=$?
cat "$output/out"
cat "$output/err" >&2
exit "$status"
