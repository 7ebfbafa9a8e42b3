#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix of its own made for this run (one prefix for
# every step, to keep the run short):
#  1. silent installation into the default folder: program, web.dat, Start menu entry,
#     desktop shortcut and uninstall entry where they belong;
#  2. the installed program, started from its Start menu entry in that entry's working
#     folder, asks a local content server for lesson 1;
#  3. silent removal leaves no file, shortcut or uninstall entry;
#  4. silent installation into a folder of the user's choosing that already holds a file
#     of theirs, without the desktop shortcut; a removal while the program's file is in
#     use fails and changes nothing; then removal keeps the user's file and its folder.
# Usage: install_test.sh INSTALLER STATE_TESTS START_SHORTCUT RUN_HOLDING_FILE HOST
set -uo pipefail
installer=$1 state_tests=$2 start_shortcut=$3 run_holding_file=$4 host=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../app/content_server.sh"

work=$(mktemp -d)
content_server_pid="" start_pid=""
cleanup() {
  [ -n "$start_pid" ] && kill "$start_pid" 2>/dev/null
  [ -n "$content_server_pid" ] && kill "$content_server_pid" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
step() { echo "== $* ($SECONDS s)"; }

[ -f "$installer" ] || fail "no installer at $installer"
step "a fresh Wine prefix"
export BRIMBLO_WINEPREFIX="$work/prefix"
BRIMBLO_WINE_BITS=$(bash "$here/../../tools/wine/pe-bits.sh" "$installer")
export BRIMBLO_WINE_BITS
source "$here/../../tools/wine/env.sh"
# Shortcuts made inside the prefix stay there: no menu entries on the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="

state() { timeout 120 wine "$state_tests" --gtest_brief=1 --gtest_filter="$1"; }
# The uninstaller runs from a copy of itself, so that it can delete itself; the prefix's
# processes all ending is the sign that it has finished.
uninstall() {
  timeout 120 wine "$1" /S || fail "the uninstaller failed"
  timeout 120 wineserver -w || fail "the uninstaller did not finish"
}

step "silent installation into the default folder"
timeout 120 wine "$installer" /S || fail "the installer failed"
state 'Installed.*' || fail "installed state"
uninstaller=( "$WINEPREFIX"/drive_c/Program\ Files*/Brimblo/uninstall.exe )
[ ${#uninstaller[@]} = 1 ] && [ -f "${uninstaller[0]}" ] || fail "no uninstaller under Program Files"

step "the installed program started from its Start menu entry"
content_server_start "$host" "$work/content" "$work/server.log"
case $? in
  0)
    timeout 120 wine "$start_shortcut" & start_pid=$!
    wait_for_start_requests "$start_pid" "$work/server.log" || fail "start from the Start menu entry"
    timeout 60 wine taskkill /f /im brimblo.exe >/dev/null 2>&1
    wait "$start_pid"; start_pid=""
    kill "$content_server_pid"; content_server_pid="" ;;
  77) echo "(this step skipped)" ;;
  *) fail "content server" ;;
esac

step "silent removal"
uninstall "${uninstaller[0]}"
state 'Removed.*' || fail "state after removal"

step "silent installation into a folder that holds a file of the user's"
export BRIMBLO_INSTALL_FOLDER='C:\Kids\Brimblo' BRIMBLO_DESKTOP_SHORTCUT=0 BRIMBLO_KEPT_FILE=notes.txt
mkdir -p "$WINEPREFIX/drive_c/Kids/Brimblo"
echo "my notes" > "$WINEPREFIX/drive_c/Kids/Brimblo/notes.txt"
timeout 120 wine "$installer" /S /NODESKTOP "/D=$BRIMBLO_INSTALL_FOLDER" || fail "the installer failed"
state 'Installed.*' || fail "installed state"
step "silent removal while the program's file is in use"
# Run in place (_?=) rather than from a copy, so that its exit code is seen: 2 is the
# uninstaller's own "stopped", not a failure to start it.
timeout 120 wine "$run_holding_file" 'C:\Kids\Brimblo\brimblo.exe' \
  'C:\Kids\Brimblo\uninstall.exe' /S '_?=C:\Kids\Brimblo'
refused=$?
[ $refused = 2 ] || fail "the removal while the program's file was in use ended with $refused, not 2"
state 'Installed.*' || fail "state after the refused removal"
step "silent removal"
uninstall "$WINEPREFIX/drive_c/Kids/Brimblo/uninstall.exe"
state 'Removed.*' || fail "state after removal"
grep -qx "my notes" "$WINEPREFIX/drive_c/Kids/Brimblo/notes.txt" || fail "the user's file changed"

step "done"
