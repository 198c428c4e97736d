# Sourced by the run and test scripts: starts a private Xvfb on a free display
# number, exports DISPLAY, and kills the server when the calling script exits.
start_xvfb() {
  local size="${1:-1280x1024}"
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp +extension GLX -noreset \
    3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  if ! read -r -t 15 number <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
  trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null' EXIT
}
