#!/usr/bin/env bash
# Alt+Enter under a window manager: the window covers the screen (1280 × 1024, so 1.28 times
# the picture, with bars of 64 pixels above and below); the menu shows scaled and centred; a
# click where Instructions now shows opens it, full screen too; Alt+Enter again gives back the
# window of 1000 × 700.
# Usage: full_screen.sh MEANDOR RUNTIME CLOSEBOX SCREENSHOT-DIR
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3 SHOTS=$4
source "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
start_display
start_game

# Alt+Enter to the window $1, then its client size is $2 within 5 s.
toggle() { # id size
  xdotool key --window "$1" alt+Return
  sized "$1" "$2"
}

# The largest difference of a channel (0 to 1) of any pixel of $1 from black.
brightest() { convert "$1" -format '%[fx:maxima]' info:; }

# The full screen's black bars and, between them, the menu scaled: back at 1000 × 700 it is
# within 4 % (RMSE) of the window's picture; smoothing and scaling back blur the edges a little.
# ERROR tells by how much it differs.
shows_scaled_menu() {
  import -window root "$SHOTS/menu-full-screen.png"
  for bar in 1280x64+0+0 1280x64+0+960; do
    convert "$SHOTS/menu-full-screen.png" -crop "$bar" +repage "$SHOTS/bar.png"
    [[ "$(brightest "$SHOTS/bar.png")" == 0 ]] || { ERROR="the bar $bar is not black"; return 1; }
  done
  convert "$SHOTS/menu-full-screen.png" -crop 1280x896+0+64 +repage -resize '1000x700!' \
    "$SHOTS/menu-scaled-back.png"
  # compare fails for any difference at all.
  ERROR=$( (compare -metric RMSE "$SHOTS/menu-scaled-back.png" "$SHOTS/menu.png" null: 2>&1 ||
    true) | sed 's/.*(\(.*\))/\1/')
  awk -v e="$ERROR" 'BEGIN { exit !(e < 0.04) }'
}

id=$(window Menu)
# Away from the buttons, so that none shows its mouse-over look.
xdotool mousemove 1279 1023
settled_shot "$id" "$SHOTS/menu.png"
toggle "$id" 1280x1024
# A busy machine may take a while to draw the scaled picture.
within 30 shows_scaled_menu || { echo "the full-screen menu: $ERROR" >&2; exit 1; }
error=$ERROR

# Instructions at (235, 237) of the picture.
go Menu 301 367 Instuctions
[[ "$(window Instuctions)" == "$id" && "$(size "$id")" == 1280x1024 ]] ||
  { echo "Instuctions is not full screen in the same window: $(size "$id")" >&2; exit 1; }
toggle "$id" 1000x700
go Instuctions 875 587 Menu
quit
echo "full screen at 1280x1024 (menu within $error of the window's), held on Instuctions; back to 1000x700"
