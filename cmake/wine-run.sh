#!/usr/bin/env bash
# Runs a Windows program of the cross build under wine64, in a Wine prefix of its own
# (QUIL_WINEPREFIX, else "wineprefix" in the current build folder).
set -u
prefix="${QUIL_WINEPREFIX:-}"
if [ -z "$prefix" ]; then
  d="$PWD"
  while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || d="$PWD"
  prefix="$d/wineprefix"
fi
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
loader=/usr/lib/wine/wine64
[ -x "$loader" ] || loader=$(command -v wine64 || command -v wine)
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  ( flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      "$loader" wineboot --init >/dev/null 2>&1
      wineserver -w 2>/dev/null || /usr/lib/wine/wineserver -w 2>/dev/null
    fi
  ) 9>"$prefix.lock"
fi
[ "${1:-}" = "--init" ] && exit 0   # only make the prefix
exec "$loader" "$@"
