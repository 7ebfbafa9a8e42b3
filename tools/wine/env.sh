# Sourced by the scripts that run Windows programs under Wine. Sets up, once and under a
# lock, a headless X server and a Wine prefix with CJK font substitutes.
#   BRIMBLO_WINEPREFIX  the prefix folder (made when missing)
#   BRIMBLO_DISPLAY     the X display to use or start (default :97)
_brimblo_wine_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${BRIMBLO_WINEPREFIX:?BRIMBLO_WINEPREFIX must name the Wine prefix folder}
export DISPLAY=${BRIMBLO_DISPLAY:-:97}
# Wine wants a prefix owned by the user who runs it.
mkdir -p "$(dirname "$WINEPREFIX")"

brimblo_start_xvfb() {
  local n=${DISPLAY#:}
  n=${n%%.*}
  if ! xdpyinfo_ok "$DISPLAY"; then
    rm -f "/tmp/.X${n}-lock" "/tmp/.X11-unix/X${n}"
    # Closing fd 9 keeps the server from holding the set-up lock for its whole life.
    (Xvfb "$DISPLAY" -screen 0 "${BRIMBLO_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 9>&- &)
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${n}" ] && break
      sleep 0.05
    done
  fi
}

xdpyinfo_ok() { [ -e "/tmp/.X11-unix/X${1#:}" ] && pgrep -f "Xvfb $1 " >/dev/null 2>&1; }

brimblo_make_prefix() {
  [ -f "$WINEPREFIX/.brimblo-ready" ] && return 0
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  # Font substitutes for the Chinese face names, and unmanaged windows. Registry files
  # with Chinese names must be UTF-16 with a byte order mark.
  local reg="$WINEPREFIX/brimblo.reg"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$_brimblo_wine_dir/prefix.reg.txt"; } > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  # Wine draws the caption buttons' symbols with Marlett, which it does not find in its
  # own font folder: without it the buttons show the letters 0, 1 and r.
  [ -f /usr/share/wine/fonts/marlett.ttf ] && cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver -w
  touch "$WINEPREFIX/.brimblo-ready"
}

(
  flock 9
  brimblo_start_xvfb
  brimblo_make_prefix
) 9>"$(dirname "$WINEPREFIX")/.brimblo-wine.lock"
