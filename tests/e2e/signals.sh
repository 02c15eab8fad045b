#!/usr/bin/env bash
# SIGINT, SIGTERM and SIGHUP end the program as the close box does, but by the same signal: a
# shell sees status 128 + n. Promptly, with nothing on standard error, both on the waiting main
# menu and in a level in play. A display that goes away, as at the end of a login
# session, ends it as a hang-up does.
# Usage: signals.sh MEANDOR RUNTIME CLOSEBOX
MEANDOR=$1 RUNTIME=$2 CLOSEBOX=$3
source "$(dirname "$0")/lib.sh"
start_display

end_by() { # signal status screen
  start_game
  window Menu >/dev/null
  if [[ "$3" == Play ]]; then
    go Menu 235 87 SubMenu
    go SubMenu 235 87 Spel
    enter_level Spel
    key Spel Right
  else
    sleep 0.5
  fi
  kill -s "$1" "$GAME_PID"
  expect_exit "$PROMPTLY" "$2"
  echo "SIG$1 on $3: status $EXIT_STATUS after $EXIT_MS ms"
}

# A signal the game was started with ignored, as by nohup or a script's `meandor &`, stays
# ignored; the close box still ends the game.
ignored() { # signal
  start_game --ignore-signal="$1"
  window Menu >/dev/null
  sleep 0.5
  kill -s "$1" "$GAME_PID"
  if await_exit 0.5; then
    echo "SIG$1, ignored at start, ended the game with status $EXIT_STATUS" >&2
    return 1
  fi
  close_box Menu
  expect_exit "$PROMPTLY" 0
  echo "SIG$1 ignored at start: ignored; the close box then gave status 0"
}

ignored HUP
ignored INT
end_by INT 130 Menu
end_by TERM 143 Menu
end_by INT 130 Play
end_by TERM 143 Play
end_by HUP 129 Menu

start_game
window Menu >/dev/null
sleep 0.5
kill "$XVFB_PID"
expect_exit "$PROMPTLY" 129
echo "display gone on Menu: status $EXIT_STATUS after $EXIT_MS ms"
