#!/usr/bin/env bash
# What the player changes is kept between runs, under openbox on a 1920 × 1200 screen:
# Alt+Enter, then the close box: the next start is full screen; --windowed gives a window for
# that run and leaves the file alone; a window dragged to 1500 × 1050 scales the menu and takes
# its clicks where they show, and opens at that size next time; M is remembered. In a game, the
# focus going to another window pauses it, the enemies stay put, and S continues.
# Usage: settings.sh MEANDOR RUNTIME CLOSEBOX
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
export E2E_SCREEN=1920x1200 E2E_WM=openbox
source "$(dirname "$0")/lib.sh"
start_display
SETTINGS=$CONFIG/meandor/settings

# The settings file says $1 (a line without its comment) now.
says() { sed 's/#.*//; s/[[:space:]]*$//' "$SETTINGS" 2>/dev/null | grep -qx "$1"; }

# The settings file comes to say $1: it is written as the game goes on.
holds() {
  within 30 says "$1" && return 0
  echo "the settings file lacks '$1':" >&2
  cat "$SETTINGS" >&2 || true
  return 1
}

fail() { echo "$*" >&2; exit 1; }

# Alt+Enter to the window $1 once openbox has given it the focus: SDL takes the modifiers held
# from the server as the focus comes, and a sent Alt is not held there.
focused() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
alt_enter() {
  within 30 focused "$1" || true
  xdotool key --window "$1" alt+Return
}

start_game
id=$(window Menu)
sized "$id" 1000x700
alt_enter "$id"
sized "$id" 1920x1200
holds 'full-screen = yes'
close_box Menu
expect_exit "$PROMPTLY" 0

start_game
sized "$(window Menu)" 1920x1200
close_box Menu
expect_exit "$PROMPTLY" 0

cp "$SETTINGS" "$CONFIG/before"
start_game -- --windowed
sized "$(window Menu)" 1000x700
quit
cmp -s "$SETTINGS" "$CONFIG/before" || fail "--windowed changed the settings file"

start_game
id=$(window Menu)
sized "$id" 1920x1200
alt_enter "$id"
sized "$id" 1000x700
xdotool windowsize "$id" 1500 1050
sized "$id" 1500x1050
holds 'window-size = 1500x1050'
holds 'full-screen = no'
# Instructions at (235, 237) of the picture, 1.5 times as large.
go Menu 352 355 Instuctions
go Instuctions 1312 880 Menu
key Menu m
holds 'mute = yes'
close_box Menu
expect_exit "$PROMPTLY" 0

start_game
id=$(window Menu)
sized "$id" 1500x1050
says 'mute = yes' || fail "the restart forgot the mute"
key Menu m
holds 'mute = no'
xdotool windowsize "$id" 1000 700
sized "$id" 1000x700

# A game: away to another client and back.
go Menu 235 87 SubMenu
go SubMenu 235 87 Spel
enter_level Spel
shot() { import -window "$id" "$CONFIG/$1.png"; }
differ() { ! compare -metric AE "$CONFIG/$1.png" "$CONFIG/$2.png" null: 2>/dev/null; }
hint() { convert "$CONFIG/$1.png" -crop 300x30+0+20 +repage "$CONFIG/hint-$1.png"; }
# The hint, once the level is drawn: its panel lies apart from the bow ties' ways.
settled_shot "$id" "$CONFIG/hint-playing.png" 300x30+0+20
xmessage -geometry +1200+0 away &
away=$!
away_from_game() { [[ $(xdotool getactivewindow 2>/dev/null) != "$id" ]]; }
within 30 away_from_game || fail "the focus did not leave the game"
# The pause shows as its hint; from then on nothing moves, for a second at least.
pause_shown() { shot paused && hint paused && differ hint-playing hint-paused; }
within 30 pause_shown || fail "no pause hint"
sleep 1
shot still-paused
kill "$away"
differ paused still-paused && fail "the enemies moved while the game was away"
xdotool windowactivate --sync "$id"
key Spel s
hint_back() { shot continued && hint continued && ! differ hint-playing hint-continued; }
within 30 hint_back || fail "S did not put the hint back"
moved() { shot moving && differ continued moving; }
within 30 moved || fail "the enemies stand still after S"
key Spel Escape
window Menu >/dev/null
quit
echo "full screen, --windowed, 1500x1050 and mute kept across runs; paused while away until S"
