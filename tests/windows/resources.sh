#!/usr/bin/env bash
# The program as Windows and Explorer see it: a windowed program (no console opens), with its
# icon, its version information, and the manifest that makes it per-monitor DPI aware and
# UTF-8 and asks for no administrator rights.
# Usage: resources.sh PROGRAM VERSION
set -euo pipefail
program=$1 version=$2
fail() { echo "$program: $*" >&2; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p "$program")
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a windowed program"
resources=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
for wanted in 'RT_GROUP_ICON' 'VALUE "ProductName", "Meandor"' \
  "VALUE \"ProductVersion\", \"$version\"" 'VALUE "LegalCopyright"' 'VALUE "FileDescription"' \
  'PerMonitorV2' '>UTF-8<' 'asInvoker'; do
  grep -aqF "$wanted" <<<"$resources" || fail "its resources lack $wanted"
done
