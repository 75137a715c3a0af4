# Sourced by the scripts: gives the Wine programs an X display (Xvfb when none is there).
quil_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then QUIL_XVFB_PID=""; return; fi
  # The server picks a free display itself and writes its number once it accepts clients
  # (-displayfd): the display we then use is the one our server owns.
  local numfile n=""
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  QUIL_XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(tr -dc '0-9' < "$numfile")
    [ -n "$n" ] && break
    kill -0 "$QUIL_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    kill "$QUIL_XVFB_PID" 2>/dev/null
    echo "no X display could be started" >&2; return 1
  fi
  export DISPLAY=:$n
}
quil_display_stop() {
  # terminate (not kill) so that the server removes its lock and socket
  if [ -n "${QUIL_XVFB_PID:-}" ]; then
    kill -TERM "$QUIL_XVFB_PID" 2>/dev/null || true
    wait "$QUIL_XVFB_PID" 2>/dev/null || true
  fi
}
