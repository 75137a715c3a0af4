#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine (only what is missing).
set -euo pipefail
pkgs=(cmake make g++ python3 git
      googletest libgtest-dev libgmock-dev libbenchmark-dev
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      wine wine64 xvfb xauth imagemagick x11-utils xdotool
      fp-utils clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
