#!/usr/bin/env bash
# Installs what building, playing and testing need, from Debian's packages only.
# Safe to run again: it checks first and takes seconds when everything is there.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev     # native build, sanitizers, fuzzer
  g++-mingw-w64-i686                          # the 32-bit Windows cross compiler
  libz-mingw-w64-dev zlib1g-dev               # zlib for both targets
  libstb-dev                                  # image decoders (JPEG, PNG, GIF)
  googletest libbenchmark-dev                 # test framework sources, benchmarks
  wine wine32:i386 xvfb xauth xdotool         # running the program and its tests
  fonts-wine fonts-wqy-microhei               # Wine's own fonts; CJK glyphs (outlines only:
                                              # embedded 12-pixel bitmaps draw some
                                              # characters wrongly under Wine)
  imagemagick python3                         # screenshots; the sample content server
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
