#!/usr/bin/env bash
# Lists the DLLs each program and library in a Windows folder imports, and fails on any that is
# neither one every Windows has nor shipped in the folder:
#   check-windows-imports.sh FOLDER
set -euo pipefail

folder=$1
objdump=x86_64-w64-mingw32-objdump
# Windows' own: present on every Windows 7 and later, 64-bit.
system_dlls=(
  advapi32 cfgmgr32 comctl32 comdlg32 crypt32 dbghelp dinput8 dwmapi gdi32 hid imm32 kernel32
  msvcrt ntdll ole32 oleaut32 setupapi shell32 shlwapi user32 userenv uuid uxtheme version
  winmm ws2_32 xinput1_4 xinput9_1_0
)

shipped() { find "$folder" -iname "$1" -print -quit | grep -q .; }
is_system() {
  local name=${1,,}
  name=${name%.dll}
  [[ $name == api-ms-win-* ]] && return 0
  local known
  for known in "${system_dlls[@]}"; do
    [[ $name == "$known" ]] && return 0
  done
  return 1
}

status=0
while IFS= read -r -d '' binary; do
  mapfile -t imports < <("$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p' | sort -fu)
  echo "${binary#"$folder"/}: ${imports[*]}"
  for dll in "${imports[@]}"; do
    if ! is_system "$dll" && ! shipped "$dll"; then
      echo "  $dll is neither a Windows DLL nor in $folder" >&2
      status=1
    fi
  done
done < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
exit "$status"
