#!/usr/bin/env bash
# The Windows build under Wine on Xvfb, under openbox, as a Windows player meets it: installed
# by its installer without a question, started from another folder, its menu the Linux game's
# pixel for pixel, played with mouse and keys, sized with Alt+Plus and closed with status 0,
# its settings in the roaming AppData folder even when that folder is moved to one with
# non-ASCII letters, the end of the session, a missing maze told in a message box, and the
# uninstaller, which keeps the settings.
# Usage: windows.sh SETUP LINUX_MEANDOR LINUX_RUNTIME CLOSEBOX PREFIX
read -r SETUP LINUX_MEANDOR LINUX_RUNTIME CLOSEBOX PREFIX < <(realpath -m "$@" | tr '\n' ' ')
export E2E_SCREEN=1920x1200 E2E_WM=openbox
# Its prefix draws on the display, unlike the unit tests'.
unset MEANDOR_WINE_GRAPHICS
source "$(dirname "$0")/../e2e/lib.sh"
WINE_RUN=$(cd "$(dirname "$0")/../../tools" && pwd)/wine-run.sh
SHOTS=$PREFIX.shots

fail() { echo "$*" >&2; exit 1; }
# Whatever still runs in the prefix goes with the test.
end_all() {
  stop_all
  WINEPREFIX=$PREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap end_all EXIT
wine_do() { "$WINE_RUN" "$PREFIX" "$@"; }

rm -rf "$PREFIX" "$SHOTS"
mkdir -p "$SHOTS"
start_display
# Keys do not repeat while held: a repeated Enter would answer the message box at once.
xset r off

user=$(id -un)
HOME_C="C:\\users\\$user"
home=$PREFIX/drive_c/users/$user
installed=$home/AppData/Local/Programs/Meandor
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Meandor.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Meandor'

wine_do "$SETUP" /S
[[ -f $installed/meandor.exe && -f $installed/fonts/DejaVuSans.ttf && -f $installed/doolhof5.txt ]] ||
  fail "the installer did not put the game in $installed"
[[ -f $shortcut ]] || fail "no Start-menu shortcut"
entry=$(wine_do reg query "$uninstall_key" | tr -d '\r')
for value in 'DisplayName    REG_SZ    Meandor' 'Publisher    REG_SZ    The Meandor developers' \
  'DisplayIcon    REG_SZ    C:\users\'"$user"'\AppData\Local\Programs\Meandor\meandor.exe,0'; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value': $entry"
done
grep -q 'DisplayVersion    REG_SZ    [0-9]' <<<"$entry" || fail "no version in: $entry"
grep -q 'EstimatedSize    REG_DWORD    0x[1-9a-f]' <<<"$entry" || fail "no size in: $entry"

# --version answers on the output it was given, as from a console.
version=$(wine_do "$installed/meandor.exe" --version | tr -d '\r')
[[ $version == "$("$LINUX_MEANDOR" --version)" ]] || fail "--version said: $version"

# The game from a folder of its own, as from a shortcut or cmd elsewhere.
ELSEWHERE=$(mktemp -d)
MEANDOR=$WINE_RUN RUNTIME=$ELSEWHERE
start_windows_game() { start_game "$@" -- "$PREFIX" "$HOME_C\\AppData\\Local\\Programs\\Meandor\\meandor.exe"; }

# The Linux game's menu first, on the same display.
MEANDOR=$LINUX_MEANDOR RUNTIME=$LINUX_RUNTIME start_game
id=$(window Menu)
settled_shot "$id" "$SHOTS/linux-menu.png"
close_box Menu
expect_exit "$PROMPTLY" 0
MEANDOR=$WINE_RUN RUNTIME=$ELSEWHERE

start_windows_game
id=$(window Menu)
sized "$id" 1000x700
settled_shot "$id" "$SHOTS/windows-menu.png"
difference=$(compare -metric AE "$SHOTS/linux-menu.png" "$SHOTS/windows-menu.png" null: 2>&1) || true
[[ $difference == 0 ]] || fail "the menu differs from the Linux game's in $difference pixels"
go Menu 235 237 Instuctions
key Instuctions Escape && window Menu >/dev/null
key Menu Down Return && window SubMenu >/dev/null
go SubMenu 235 87 Spel
close_box Spel
expect_exit "$PROMPTLY" 0

# Alt+Plus, then the close box: the settings under the roaming AppData folder, the next start
# at that size.
settings=$home/AppData/Roaming/Meandor/settings
says() { sed 's/#.*//; s/[[:space:]]*$//' "$1" 2>/dev/null | grep -qx "$2"; }
holds() {
  within 30 says "$1" "$2" && return 0
  fail "$1 lacks '$2': $(cat "$1" 2>&1)"
}
grow_and_close() { # settings-file
  local id
  id=$(window Menu)
  sized "$id" 1000x700
  xdotool key --window "$id" alt+plus
  sized "$id" 1500x1050
  holds "$1" 'window-size = 1500x1050'
  close_box Menu
  expect_exit "$PROMPTLY" 0
  start_windows_game
  id=$(window Menu)
  sized "$id" 1500x1050
  close_box Menu
  expect_exit "$PROMPTLY" 0
}
start_windows_game
grow_and_close "$settings"

# Roaming AppData moved to a folder with non-ASCII letters, as the registry tells.
moved="$HOME_C\\Zoë Müller\\AppData\\Roaming"
LC_ALL=C.UTF-8 wine_do reg add \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
  /v AppData /t REG_EXPAND_SZ /d "$moved" /f >/dev/null
start_windows_game
grow_and_close "$home/Zoë Müller/AppData/Roaming/Meandor/settings"
kept=$home/kept-settings
cp "$home/Zoë Müller/AppData/Roaming/Meandor/settings" "$kept"

# Logging off (Wine's end of session) ends the game at once and keeps its settings.
start_windows_game
window Menu >/dev/null
wine_do wineboot.exe --end-session
expect_exit "$PROMPTLY" 0
cmp -s "$kept" "$home/Zoë Müller/AppData/Roaming/Meandor/settings" ||
  fail "the settings changed at the end of the session"

# A maze that cannot be read: the message box, then status 1 once it is closed.
mv "$installed/doolhof1.txt" "$installed/doolhof1.away"
start_windows_game
key Menu Down Return && window SubMenu >/dev/null
go SubMenu 235 87 Spel
hold 5 Meandor key Spel Return
box=$(window Meandor)
settled_shot "$box" "$SHOTS/message-box.png"
close_box Meandor
await_exit "$PROMPTLY" || fail "the game did not end after its message box"
[[ $EXIT_STATUS == 1 ]] || fail "exit status $EXIT_STATUS after the message box, expected 1"
grep -q 'cannot open file doolhof1.txt' "$GAME_LOG" || fail "standard error said: $(cat "$GAME_LOG")"
mv "$installed/doolhof1.away" "$installed/doolhof1.txt"

# The uninstaller leaves the settings, and nothing else of the game.
wine_do "$HOME_C\\AppData\\Local\\Programs\\Meandor\\uninstall.exe" /S
gone() { [[ ! -e $installed && ! -e $shortcut ]]; }
within 60 gone || fail "the uninstaller left: $(find "$installed" "$shortcut" 2>&1 | head)"
wine_do reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
cmp -s "$kept" "$home/Zoë Müller/AppData/Roaming/Meandor/settings" ||
  fail "the uninstaller touched the settings"
[[ -f $settings ]] || fail "the uninstaller removed the first settings file"
echo "windows e2e: all passed"
