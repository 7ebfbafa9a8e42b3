#!/usr/bin/env bash
# Installs what building, playing and testing need, from Debian's packages only.
# Safe to run again: it checks first and takes seconds when everything is there.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev     # native build, sanitizers, fuzzer
  g++-mingw-w64-i686                          # the 32-bit Windows cross compiler
  libz-mingw-w64-dev zlib1g-dev               # zlib for both targets
  libstb-dev                                  # image decoders (JPEG, PNG, GIF)
  libmpg123-dev pkg-config                    # MP3 decoding for native tests and tools
  espeak-ng lame                              # content making only: the sample lessons'
                                              # spoken sentences and test tones as MP3
  googletest libbenchmark-dev                 # test framework sources, benchmarks
  wine xvfb xauth xdotool                     # running the program and its tests
  wine64 g++-mingw-w64-x86-64                 # the Windows tests as 64-bit programs, on
                                              # machines that run no 32-bit code
  fonts-wine fonts-wqy-microhei               # Wine's own fonts; CJK glyphs (outlines only:
                                              # embedded 12-pixel bitmaps draw some
                                              # characters wrongly under Wine)
  imagemagick python3                         # screenshots; the sample content server
  libfreetype-dev libfontconfig-dev           # device fonts of native builds (outlines)
  fonts-dejavu-core                           # their Western faces (Chinese: WenQuanYi)
  nsis                                        # the installer compiler for the release
)

# Wine's 32-bit half (and the i386 libraries it pulls in, about 700 MB) is useful only
# where the kernel runs 32-bit programs; elsewhere the Windows tests run as 64-bit ones.
wants_i386=0
if bash "$(dirname "$0")/wine/kernel-runs-32.sh" >/dev/null; then
  wants_i386=1
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ $wants_i386 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}"

# A mirror that is briefly out of step fails one index file of one architecture; the
# other lists are still fresh, so a partial failure is retried and then tolerated. Only
# the install itself decides whether set-up failed.
updated=0
update_log=$(mktemp)
for attempt in 1 2 3; do
  if $SUDO apt-get update -qq 2>"$update_log"; then updated=1; break; fi
  echo "setup: package index update failed (attempt $attempt of 3):" >&2
  grep -E '^(E|W):' "$update_log" | head -5 >&2 || true
  sleep $((attempt * 2))
done
rm -f "$update_log"
[ $updated = 1 ] || echo "setup: going on with the package lists as they are" >&2

install() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
# With one architecture's update list missing, the 32-bit and 64-bit halves of a
# multi-arch library can have different candidates and the install cannot be resolved;
# the release's own suite then gives both halves the same version.
release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
if ! install "${missing[@]}" &&
   ! { [ $updated = 0 ] && [ -n "$release" ] &&
       echo "setup: retrying with the packages of the $release suite" >&2 &&
       install -t "$release" "${missing[@]}"; }; then
  echo "setup: failed: apt-get could not install ${missing[*]}" >&2
  [ $updated = 1 ] || echo "setup: (the package index update had failed too; see above)" >&2
  exit 1
fi
