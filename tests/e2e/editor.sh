#!/usr/bin/env bash
# The maze editor under Xvfb, driven with xdotool: a new pack in the packs folder; a wall
# dragged across the maze cuts the exit off, which the panel lists in red and frames on the
# maze; Ctrl+Z takes it back and Ctrl+S writes the game's five mazes byte for byte; F5 plays
# the level in the game's "Spel" window, and Enter and Escape there come back; a pack saved with a finding is
# refused by the game with status 2 and the rule named; leaving with unsaved changes asks,
# Cancel stays and Save writes and leaves with 0; Ctrl+C in the question ends the editor with
# 130 and takes the question with it, and SIGTERM while the game runs ends both with 143.
# Usage: editor.sh MEANDOR RUNTIME CLOSEBOX EDITOR SHOTS
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3 EDITOR=$4 SHOTS=$5
# The editor's window is 1300 pixels wide.
export E2E_SCREEN=1600x900
source "$(dirname "$0")/lib.sh"
DATA=$(mktemp -d)
trap 'stop_all; rm -rf "$DATA"' EXIT
mkdir -p "$SHOTS"
start_display
title="Meandor maze editor"
question="Unsaved changes"
pack=$DATA/meandor/mazes/pack-1

# The question's window: SDL names it in UTF-8 alone, which xdotool does not read.
question_now() { xwininfo -root -tree | awk -v t="\"$question\":" '$2 " " $3 == t { print $1; exit }' | grep .; }
asked() {
  within 30 question_now >/dev/null && question_now && return 0
  echo "no question appeared" >&2
  return 1
}

# Presses the key $1 on the question until it has gone: a box only just mapped may not hear it.
answer() { # key
  local box
  for _ in $(seq 10); do
    box=$(question_now) || return 0
    xdotool windowfocus --sync "$box" key "$1" 2>/dev/null || true
    within 3 not question_now >/dev/null && return 0
  done
  return 1
}

# The editor as the library starts the game, with the packs folder in $DATA.
start_editor() { MEANDOR=$EDITOR start_game XDG_DATA_HOME="$DATA" -- "$@"; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Pixels of the colour $3 in the part $2 (WxH+X+Y) of the picture $1.
count() { # picture part colour
  convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info:
}
finding_cells() { count "$1" 900x640+30+30 'rgb(230,0,0)'; }
panel_warnings() { count "$1" 300x460+1000+240 'rgb(170,0,0)'; }

# A picture of the editor once it shows what is asked: $2 is a test on the picture.
shot_when() { # file test...
  local file=$1 id
  shift
  id=$(window "$title")
  for _ in $(seq 150); do
    photo "$id" "$file"
    "$@" "$file" && return 0
    sleep 0.2
  done
  return 1
}
# The panel's buttons drawn: more than one colour where they are.
drawn() { [[ $(convert "$1" -crop 300x200+1000+0 -format '%k' info:) -gt 1 ]]; }
clean() { drawn "$1" && [[ $(finding_cells "$1") == 0 && $(panel_warnings "$1") == 0 ]]; }
flagged() { [[ $(finding_cells "$1") -gt 0 && $(panel_warnings "$1") -gt 0 ]]; }

# A wall from (28, 2) down to (28, 20), one drag: the exit at (30, 20) is cut off.
drag_wall() {
  local id
  id=$(window "$title")
  xdotool mousemove --window "$id" 855 75 mousedown 1 mousemove --window "$id" 855 300 \
    mousemove --window "$id" 855 615 mouseup 1
}

start_editor
id=$(window "$title")
sized "$id" 1300x700
shot_when "$SHOTS/editor-new.png" clean || fail "a copy of the game's mazes is not shown clean"
[[ ! -e $pack ]] || fail "the new pack was written before it was saved"

drag_wall
shot_when "$SHOTS/editor-finding.png" flagged || fail "a wall across the maze gave no finding"
echo "a wall across the maze: the finding on the panel and its cells framed"

key "$title" ctrl+z
shot_when "$SHOTS/editor-undone.png" clean || fail "Ctrl+Z did not clear the finding"
key "$title" ctrl+s
within 30 test -e "$pack/doolhof5.txt" || fail "Ctrl+S wrote no pack"
for level in 1 2 3 4 5; do
  cmp "$RUNTIME/doolhof$level.txt" "$pack/doolhof$level.txt" ||
    fail "doolhof$level.txt is not the game's own, byte for byte"
done
echo "Ctrl+Z clears it; Ctrl+S writes the five mazes as the game's own"

photo "$(window "$title")" "$DATA/panel-before.png" 300x460+1000+240
key "$title" F5
window Spel >/dev/null || fail "F5 did not start the game"
# F5 went down by XTEST to the focused editor, but its release by an event sent to the editor
# window: the server would hold F5 down for good, and a later press would not be seen.
xdotool keyup F5
enter_level Spel
key Spel Escape
within 30 not appears Spel || fail "the game did not end"
# What the editor was given while it waited for the game is dropped: it says it is back first.
back() { photo "$(window "$title")" "$DATA/panel-after.png" 300x460+1000+240 &&
  not compare -metric AE "$DATA/panel-before.png" "$DATA/panel-after.png" null: 2>/dev/null; }
within 30 back || fail "the editor did not say it was back from the game"
kill -0 "$GAME_PID" || fail "the editor ended with the game"
echo "F5: the game's Spel window on the pack; Escape returns to the editor"

drag_wall
shot_when "$SHOTS/editor-finding.png" flagged || fail "the wall gave no finding the second time"
key "$title" ctrl+s
# Line 28 is column 28; its first and last characters are the border's.
wall() { [[ $(sed -n 28p "$pack/doolhof1.txt" | cut -c2-20) == "+++++++++++++++++++" ]]; }
within 30 wall || fail "the wall was not saved"
status=0
message=$(cd "$RUNTIME" && XDG_DATA_HOME="$DATA" XDG_CONFIG_HOME="$CONFIG" SDL_AUDIODRIVER=dummy \
  timeout 30 "$MEANDOR" --mazes pack-1 2>&1) || status=$?
[[ $status -eq 2 && $message == *"$pack/doolhof1.txt: "*"(demand "* ]] ||
  fail "the game did not refuse the pack with the rule named (status $status): $message"
echo "a pack saved with a finding: the game refuses it with status 2 and the rule named"

key "$title" ctrl+z
close_box "$title"
asked >/dev/null || fail "closing with unsaved changes asked nothing"
photo root "$SHOTS/editor-question.png"
answer Escape || fail "Escape did not answer the question"
kill -0 "$GAME_PID" || fail "Cancel ended the editor"
close_box "$title"
asked >/dev/null
answer Return || fail "Return did not answer the question"
expect_exit 30 0
cmp "$RUNTIME/doolhof1.txt" "$pack/doolhof1.txt" || fail "Save did not write the level back"
echo "leaving with unsaved changes asks: Cancel stays, Save writes and leaves with 0"

start_editor pack-1
shot_when "$SHOTS/editor-reopened.png" clean || fail "the saved pack did not open clean"
drag_wall
shot_when "$SHOTS/editor-finding.png" flagged || fail "no finding in the reopened pack"
close_box "$title"
asked >/dev/null
kill -INT "$GAME_PID"
expect_exit "$PROMPTLY" 130
within 30 not question_now >/dev/null || fail "the question outlived the editor"
cmp "$RUNTIME/doolhof1.txt" "$pack/doolhof1.txt" || fail "Ctrl+C changed the pack on disk"
echo "Ctrl+C during the question: 130 at once, the question gone, the pack as it was"

start_editor pack-1
shot_when "$SHOTS/editor-reopened.png" clean || fail "the saved pack did not open clean"
key "$title" F5
window Spel >/dev/null || fail "F5 did not start the game"
kill -TERM "$GAME_PID"
expect_exit "$PROMPTLY" 143
within 30 not appears Spel || fail "the game outlived the editor"
echo "SIGTERM while the game runs: 143 at once, and the game ends with the editor"
