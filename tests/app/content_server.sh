# Sourced by the tests that start the real program against a real content server.
#   content_server_start HOST FOLDER LOG   serves FOLDER on HOST's port 88, logging each
#       request to LOG; sets content_server_pid. Returns 77 when the host is not this
#       machine or port 88 stays taken (the caller skips), 0 once the server answers.
#   wait_for_start_requests PROGRAM_PID LOG   waits up to 30 s for the requests of the
#       program's start: lesson 1 and the banner page. Returns 1 (and shows the log) when
#       they do not come or the program ends first.

content_server_start() {
  local host=$1 folder=$2 log=$3
  case "$host" in 127.*|localhost) ;; *) echo "content host $host is not this machine: skipped"; return 77 ;; esac
  mkdir -p "$folder/edu/3"
  [ -f "$folder/edu/info.htm" ] ||
    printf '<html><body bgcolor="#ffe080">banner</body></html>' > "$folder/edu/info.htm"
  # Another test of the same kind may hold the port for a few seconds: try for a while.
  for _ in 1 2 3 4 5 6; do
    python3 -u -m http.server 88 --bind "$host" --directory "$folder" > "$log" 2>&1 &
    content_server_pid=$!
    for _ in $(seq 1 50); do
      grep -q 'Serving HTTP' "$log" && return 0
      kill -0 "$content_server_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$content_server_pid" 2>/dev/null && { echo "the content server did not start:"; cat "$log"; return 1; }
    sleep 3
  done
  content_server_pid=""
  echo "port 88 on $host is taken: skipped"
  return 77
}

wait_for_start_requests() {
  local program_pid=$1 log=$2
  for _ in $(seq 1 300); do
    if grep -q 'GET /edu/3/01.swf' "$log" && grep -q 'GET /edu/info.htm' "$log"; then
      echo "lesson 1 and the banner page were requested at start"
      return 0
    fi
    kill -0 "$program_pid" 2>/dev/null || { echo "the program ended by itself"; cat "$log"; return 1; }
    sleep 0.1
  done
  echo "no request for lesson 1 and the banner page within 30 s:"
  cat "$log"
  return 1
}
