#!/usr/bin/env bash
# Installs what is missing, builds the Win32 program and starts it under Wine.
# With no X display it runs under Xvfb, writes a screenshot PNG and says where.
#   scripts/run.sh [program arguments...]       (QUIL_PROGRAM=quilview for the viewer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
B=${QUIL_BUILD_ROOT:-$root/build}
prog=${QUIL_PROGRAM:-quil}
cmake -S . -B "$B/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B/win64" -j"$(nproc)" --target "$prog"
exe="$B/win64/data/$prog.exe"
export QUIL_WINEPREFIX="$B/win64/wineprefix"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec cmake/wine-run.sh "$exe" "$@"
fi
source scripts/display.sh
quil_display_start
trap quil_display_stop EXIT
shot="$B/screenshot-$prog.png"
rm -f "$shot"
cmake/wine-run.sh --init
cmake/wine-run.sh "$exe" "$@" &
pid=$!
stop() {
  kill "$pid" 2>/dev/null || true
  WINEPREFIX="$QUIL_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
}
# Wait (at most two minutes: the first start also makes the Wine prefix) for a visible window.
shown=0
for _ in $(seq 240); do
  if xdotool search --onlyvisible --name "${QUIL_SHOT_WINDOW:-quil}" >/dev/null 2>&1; then
    shown=1
    break
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && rc=0 || rc=$?
    echo "run.sh: $prog ended (exit code $rc) before a window appeared; no screenshot" >&2
    stop
    exit 1
  fi
  sleep 0.5
done
if [ "$shown" != 1 ]; then
  echo "run.sh: no window of $prog appeared within two minutes; no screenshot" >&2
  stop
  exit 1
fi
# The screen has settled when two screenshots half a second apart are the same (at most 10 s).
tmp=$(mktemp -d)
import -window root "$tmp/a.ppm"  # PPM: pixels only, nothing that changes between shots
for _ in $(seq 20); do
  sleep 0.5
  import -window root "$tmp/b.ppm"
  cmp -s "$tmp/a.ppm" "$tmp/b.ppm" && break
  mv "$tmp/b.ppm" "$tmp/a.ppm"
done
if ! kill -0 "$pid" 2>/dev/null; then
  rm -rf "$tmp"
  echo "run.sh: $prog ended while its window was drawn; no screenshot" >&2
  stop
  exit 1
fi
convert "$tmp/a.ppm" "$shot"
rm -rf "$tmp"
stop
echo "screenshot written: $shot"
