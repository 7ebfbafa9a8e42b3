#!/usr/bin/env bash
# The play command: set-up, build, make the sample content, serve it on port 88 and start
# the program under Wine. With no X display, a headless one is started and a screenshot
# is written to build/play.png after a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host=$(sed -n 's/^BRIMBLO_CONTENT_HOST:STRING=//p' "$root/build/win32/CMakeCache.txt" 2>/dev/null || true)
host=${host:-127.0.0.1}

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"
# The shipped program is 32-bit. Where Wine cannot run 32-bit code, the same program
# built for 64-bit Windows plays instead.
tree="$root/build/win32"
if ! why=$(bash "$root/tools/wine/can-run.sh" 32); then
  if ! bash "$root/tools/wine/can-run.sh" 64 >/dev/null; then
    echo "play: the program is built (build/win32/app/brimblo.exe) but cannot run here: $why." >&2
    exit 1
  fi
  echo "play: playing the program's 64-bit build, because $why."
  tree="$root/build/win64"
  [ -f "$tree/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
  cmake --build "$tree" -j"${BRIMBLO_JOBS:-$(nproc)}" --target brimblo
  export BRIMBLO_WINE_BITS=64
fi

content="$root/build/content"
gen="$root/build/native/tools/sample-content/make-sample-content"
if [ -x "$gen" ]; then "$gen" "$content"; else echo "play: no sample content generator built yet"; fi

server_pid=""
cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -d "$content" ]; then
  bash "$root/tools/sample-content/content-server.sh" "$content" "$host" >"$root/build/content-server.log" 2>&1 &
  server_pid=$!
  echo "play: serving sample content on http://$host:88/"
fi

export BRIMBLO_WINEPREFIX="$tree/wineprefix"
headless=0
if [ -n "${DISPLAY:-}" ]; then export BRIMBLO_DISPLAY=$DISPLAY; else export BRIMBLO_DISPLAY=:98; headless=1; fi
source "$root/tools/wine/env.sh"

cd "$tree/app"   # web.dat lies beside the program and is read from here
if [ $headless = 1 ]; then
  wine brimblo.exe & prog=$!
  sleep "${BRIMBLO_PLAY_SECONDS:-10}"
  import -display "$DISPLAY" -window root "$root/build/play.png" && echo "play: screenshot in build/play.png"
  echo "play: headless display $DISPLAY; the program runs until you press Ctrl-C"
  wait $prog
else
  wine brimblo.exe
fi
