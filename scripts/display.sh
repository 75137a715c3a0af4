# Sourced by the scripts: gives the Wine programs an X display (Xvfb when none is there).
quil_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then QUIL_XVFB_PID=""; return; fi
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QUIL_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "no X display could be started" >&2; return 1
}
quil_display_stop() {
  [ -n "${QUIL_XVFB_PID:-}" ] && kill "$QUIL_XVFB_PID" 2>/dev/null || true
}
