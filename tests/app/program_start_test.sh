#!/usr/bin/env bash
# Starts the real program under Wine against a real content server on the configured
# host's port 88 and checks that, with no click, it asks for lesson 1 and the banner page.
# Usage: program_start_test.sh PROGRAM WEB_DAT HOST
# Exit 77 (skipped) when the host is not this machine or port 88 is taken.
set -uo pipefail
program=$1 webdat=$2 host=$3
here=$(cd "$(dirname "$0")" && pwd)
case "$host" in 127.*|localhost) ;; *) echo "content host $host is not this machine: skipped"; exit 77 ;; esac

work=$(mktemp -d)
server_pid="" prog_pid=""
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/content/edu/3" "$work/run"
printf '<html><body bgcolor="#ffe080">banner</body></html>' > "$work/content/edu/info.htm"
cp "$webdat" "$work/run/web.dat"
python3 -u -m http.server 88 --bind "$host" --directory "$work/content" > "$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 1 50); do
  grep -q 'Serving HTTP' "$work/server.log" && break
  kill -0 "$server_pid" 2>/dev/null || { echo "port 88 on $host is taken: skipped"; exit 77; }
  sleep 0.1
done

# web.dat is read from the working directory, so the program starts from the folder
# that holds it.
cd "$work/run"
"$here/../../tools/wine-run.sh" "$program" &
prog_pid=$!
for _ in $(seq 1 300); do
  if grep -q 'GET /edu/3/01.swf' "$work/server.log" && grep -q 'GET /edu/info.htm' "$work/server.log"; then
    echo "lesson 1 and the banner page were requested at start"
    exit 0
  fi
  kill -0 "$prog_pid" 2>/dev/null || { echo "the program ended by itself"; cat "$work/server.log"; exit 1; }
  sleep 0.1
done
echo "no request for lesson 1 and the banner page within 30 s:"
cat "$work/server.log"
exit 1
