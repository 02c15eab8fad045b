#!/usr/bin/env bash
# The close box on the game-over picture or the final picture ends the game promptly with
# status 0, with nothing on standard error. A pinned replay game is played in a real
# window up to that picture, where the script stops pressing Enter and keeps waiting instead.
# Usage: close_box_picture.sh REPLAY RUNTIME CLOSEBOX GAME LAST-TICK
# GAME: a pinned game in tests/replay/games whose last three lines press Enter at the picture;
# LAST-TICK: the number of the game's last tick before the picture.
REPLAY=$1 RUNTIME=$2 CLOSEBOX=$3 GAME=$4 LAST_TICK=$5
source "$(dirname "$0")/lib.sh"
games=$(dirname "$0")/../replay/games
work=$(mktemp -d)
trap 'stop_all; rm -rf "$work"' EXIT

# Some 20 s of waiting at the picture, far longer than the test needs.
{ head -n -3 "$games/$GAME.txt"; echo "wait x4000 +1"; } >"$work/hold.txt"

start_x
(exec env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$REPLAY" --assets "$RUNTIME" \
  "$work/hold.txt" >"$work/out" 2>"$work/err") &
GAME_PID=$! GAME_LOG=$work/err

for _ in $(seq 1200); do
  grep -q "^tick $LAST_TICK " "$work/out" && break
  kill -0 "$GAME_PID" 2>/dev/null || { echo "the game ended before the picture" >&2; exit 1; }
  sleep 0.1
done
grep -q "^tick $LAST_TICK " "$work/out" || { echo "tick $LAST_TICK never came" >&2; exit 1; }
sleep 1
close_box Spel
expect_exit "$PROMPTLY" 0
# Closed by the box, not by the script running out: most of the waiting is left over.
end=$(tail -n1 "$work/out")
left=$(awk '{for (i = 1; i < NF; i++) if ($i == "left") print $(i + 1)}' <<<"$end")
[[ "$left" -gt 1000 ]] || { echo "the close box did not end the wait: $end" >&2; exit 1; }
echo "$GAME: closed at the picture with status 0 ($left waits left)"
