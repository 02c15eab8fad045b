# A private X server for a test or script: start_x starts Xvfb on a display it picks itself,
# exports DISPLAY and leaves the server's process id in XVFB_PID for the caller to stop.
# Its screen is 1280 x 1024 unless E2E_SCREEN says otherwise.
start_x() {
  # Xvfb tells which display it took on the descriptor it is given.
  local fifo n
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # -noreset: by default the server resets each time its last client leaves, and refuses
  # connections meanwhile. The game is often its only client, between one screen's window
  # and the next; a desktop's window manager keeps a real server from ever doing this.
  Xvfb -displayfd 3 -noreset -screen 0 "${E2E_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 10 n <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
}
