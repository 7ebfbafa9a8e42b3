# Sourced by the scripts that run Windows programs under Wine. Sets up, once and under a
# lock, a headless X server and a Wine prefix that gives the same results on every
# machine: Wine sees only the fonts the prefix holds, never the machine's own.
#   BRIMBLO_WINEPREFIX  the prefix folder (made when missing or made by another recipe)
#   BRIMBLO_DISPLAY     the X display to use or start (default :97)
#   BRIMBLO_WINE_BITS   32 (default) or 64: which Windows programs the prefix runs. A
#                       64-bit prefix runs only 64-bit programs, with Wine's 64-bit
#                       loader and server alone, on machines that run no 32-bit code.
_brimblo_wine_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${BRIMBLO_WINEPREFIX:?BRIMBLO_WINEPREFIX must name the Wine prefix folder}
export DISPLAY=${BRIMBLO_DISPLAY:-:97}
if [ "${BRIMBLO_WINE_BITS:-32}" = 64 ]; then
  # wine, and Wine's own commands (wineboot, winepath, regedit), run the 64-bit loader.
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  export PATH="$_brimblo_wine_dir/bin64:$PATH"
fi
# Wine also loads every font that fontconfig lists, so a machine with more desktop fonts
# would resolve the face names differently. This configuration lists none.
export FONTCONFIG_FILE="$_brimblo_wine_dir/no-system-fonts.conf"
# Wine wants a prefix owned by the user who runs it.
mkdir -p "$(dirname "$WINEPREFIX")"

# The fonts the prefix holds: Wine's own TrueType fonts (MS Sans Serif, Tahoma, Marlett,
# Courier, ...), which Wine does not find in their Debian folder by itself, and the CJK
# font that the Chinese face names stand for (see prefix.reg.txt).
_brimblo_prefix_fonts() {
  ls /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc 2>/dev/null || true
}

# What the prefix is made from: a prefix made by another recipe is made anew. Raise the
# version whenever brimblo_make_prefix changes what it does; the registry file, the
# font configuration and the font files count by their content.
_brimblo_prefix_version=3
_brimblo_prefix_recipe() {
  { echo "$_brimblo_prefix_version ${BRIMBLO_WINE_BITS:-32}"; cat "$_brimblo_wine_dir/prefix.reg.txt" "$FONTCONFIG_FILE"
    _brimblo_prefix_fonts | xargs -r ls -l --time-style=+%s; } | sha1sum | cut -d' ' -f1
}

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
  local recipe stamp="$WINEPREFIX/.brimblo-recipe"
  recipe=$(_brimblo_prefix_recipe)
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ] && return 0
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  _brimblo_prefix_fonts | xargs -r cp -t "$fonts"
  # Font substitutes, a fixed density and unmanaged windows. Registry files with
  # Chinese names must be UTF-16 with a byte order mark.
  local reg="$WINEPREFIX/brimblo.reg"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$_brimblo_wine_dir/prefix.reg.txt"; } > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  echo "$recipe" > "$stamp"
}

if ! _brimblo_why=$(bash "$_brimblo_wine_dir/can-run.sh" "${BRIMBLO_WINE_BITS:-32}"); then
  echo "wine: Wine cannot run the program here: $_brimblo_why" >&2
fi

(
  flock 9
  brimblo_start_xvfb
  brimblo_make_prefix
) 9>"$(dirname "$WINEPREFIX")/.brimblo-wine.lock"
