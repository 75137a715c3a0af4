#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test:
#   1. native build (g++, AddressSanitizer + UndefinedBehaviorSanitizer): unit tests, data checks;
#   2. Win32 x86_64 build (mingw-w64): unit tests and GUI tests under Wine (Xvfb display);
#   3. Win32 i686 build: compiled only (this machine cannot run 32-bit programs);
#   4. fuzz targets (clang, libFuzzer), each for a short bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
jobs=${QUIL_JOBS:-$(nproc)}
B=${QUIL_BUILD_ROOT:-$root/build}
fuzz_seconds=${QUIL_FUZZ_SECONDS:-20}

echo "== native build (sanitized)"
cmake -S . -B "$B/native" -DCMAKE_BUILD_TYPE=Debug -DQUIL_SANITIZE=ON -DQUIL_BENCH=ON >/dev/null
cmake --build "$B/native" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$B/native" --output-on-failure -j"$jobs"

echo "== Win32 x86_64 build"
cmake -S . -B "$B/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B/win64" -j"$jobs"
source scripts/display.sh
quil_display_start
trap quil_display_stop EXIT
# unit tests in parallel; the GUI tests (label gui) two at a time, each Wine start is heavy
ctest --test-dir "$B/win64" --output-on-failure -j"$jobs" --timeout 300 -LE gui
ctest --test-dir "$B/win64" --output-on-failure -j2 --timeout 300 -L gui

echo "== Win32 i686 build (compile only)"
cmake -S . -B "$B/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DQUIL_TESTS=OFF >/dev/null
cmake --build "$B/win32" -j"$jobs"

echo "== fuzz targets (${fuzz_seconds}s each)"
CC=clang CXX=clang++ cmake -S . -B "$B/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIL_FUZZ=ON -DQUIL_TESTS=OFF >/dev/null
cmake --build "$B/fuzz" -j"$jobs"
for src in "$root"/tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  f="$B/fuzz/tests/fuzz/$name"
  [ -x "$f" ] || { echo "fuzz target $name was not built"; exit 1; }
  corpus="$B/fuzz/corpus/$name"; mkdir -p "$corpus"
  seeds="$root/tests/fuzz/seeds/${name%_fuzz}"
  args=("$corpus"); [ -d "$seeds" ] && args+=("$seeds")
  echo "-- $name"
  "$f" -artifact_prefix="$B/fuzz/$name-" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 "${args[@]}" 2>"$B/fuzz/$name.log" \
    || { tail -50 "$B/fuzz/$name.log"; echo "fuzz target $name failed"; exit 1; }
done

echo "all builds and tests passed"
