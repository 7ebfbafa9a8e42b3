#!/usr/bin/env bash
# Starts the real program under Wine against a real content server on the configured
# host's port 88 and checks that, with no click, it asks for lesson 1 and the banner page.
# Usage: program_start_test.sh PROGRAM WEB_DAT HOST
# Exit 77 (skipped) when the host is not this machine or port 88 is taken.
set -uo pipefail
program=$1 webdat=$2 host=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/content_server.sh"

work=$(mktemp -d)
content_server_pid="" prog_pid=""
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null
  [ -n "$content_server_pid" ] && kill "$content_server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

content_server_start "$host" "$work/content" "$work/server.log" || exit $?
mkdir -p "$work/run"
cp "$webdat" "$work/run/web.dat"

# web.dat is read from the working directory, so the program starts from the folder
# that holds it.
cd "$work/run"
"$here/../../tools/wine-run.sh" "$program" &
prog_pid=$!
wait_for_start_requests "$prog_pid" "$work/server.log"
