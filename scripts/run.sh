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
cmake/wine-run.sh --init
cmake/wine-run.sh "$exe" "$@" &
pid=$!
# wait (at most two minutes, the first start also makes the Wine prefix) for a visible window
for _ in $(seq 240); do
  xdotool search --onlyvisible --name "${QUIL_SHOT_WINDOW:-quil}" >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
sleep "${QUIL_SHOT_DELAY:-2}"
import -window root "$shot"
echo "screenshot written: $shot"
kill "$pid" 2>/dev/null || true
WINEPREFIX="$QUIL_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
