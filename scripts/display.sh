# Sourced by the scripts: gives the Wine programs an X display (Xvfb when none is there).
quil_display_free() {   # display n is free, or held only by the lock of a server that has gone
  local n=$1 lock=/tmp/.X$1-lock pid
  if [ -e "$lock" ]; then
    pid=$(tr -d ' \n' < "$lock" 2>/dev/null)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then return 1; fi
    rm -f "$lock" "/tmp/.X11-unix/X$n" 2>/dev/null || return 1
  fi
  [ ! -e "/tmp/.X11-unix/X$n" ] || rm -f "/tmp/.X11-unix/X$n" 2>/dev/null
}
quil_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then QUIL_XVFB_PID=""; return; fi
  local n
  for n in $(seq 90 149); do
    quil_display_free "$n" || continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QUIL_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$QUIL_XVFB_PID" 2>/dev/null
  done
  echo "no X display could be started" >&2; return 1
}
quil_display_stop() {
  # terminate (not kill) so that the server removes its lock and socket
  if [ -n "${QUIL_XVFB_PID:-}" ]; then
    kill -TERM "$QUIL_XVFB_PID" 2>/dev/null || true
    wait "$QUIL_XVFB_PID" 2>/dev/null || true
  fi
}
