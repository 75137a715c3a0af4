#!/usr/bin/env bash
# Screenshot of a descriptor-driven dialog under Wine: builds the dialog test host of the Win32
# build, shows its form (every record kind) on an X display (Xvfb when there is none) and writes
# the dialog's picture as a PNG.
#   scripts/dialog-shot.sh [output.png]      default: build/dialog-shot.png
# QUIL_SHOT_BUILD names the Win32 build folder (default build/shot-w64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIL_SHOT_BUILD:-$root/build/shot-w64}
out=${1:-$root/build/dialog-shot.png}
mkdir -p "$(dirname "$out")"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j4 --target dialog_host quil_gui_driver quil_data >/dev/null

source "$root/scripts/display.sh"
quil_display_start
export QUIL_WINEPREFIX="$build/wineprefix-shot"
run() { "$root/cmake/wine-run.sh" "$@"; }
host_pid=""
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null || true
  WINEPREFIX="$QUIL_WINEPREFIX" wineserver -k 2>/dev/null || true
  quil_display_stop
}
trap cleanup EXIT

run --init
# Without a window manager Wine draws the window frames and captions itself.
run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
run "$build/tests/gui/dialog_host.exe" --data "Z:$build/data" roundtrip >/dev/null 2>&1 &
host_pid=$!
run "$build/tests/gui/quil_gui_driver.exe" wait class=#32770 exe=dialog_host.exe "title=Descriptor dialog" \
    timeout=30000 >/dev/null
sleep 1
win=$(xdotool search --name '^Descriptor dialog$' | head -1)
if [ -n "$win" ]; then
  import -window "$win" "$out"
else
  import -window root "$out"
fi
run "$build/tests/gui/quil_gui_driver.exe" wait class=#32770 exe=dialog_host.exe "title=Descriptor dialog" \
    command id=2 gone >/dev/null
wait "$host_pid" 2>/dev/null || true
host_pid=""
echo "$out"
