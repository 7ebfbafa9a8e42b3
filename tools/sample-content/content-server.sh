#!/usr/bin/env bash
# Serves a content folder on HOST:88 in the foreground (Ctrl+C stops it).
# Usage: content-server.sh DIR [HOST]   (HOST defaults to 127.0.0.1)
# Port 88 is below 1024: run as root, or give python3 the bind capability.
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 DIR [HOST]" >&2
  exit 2
fi
dir=$1
host=${2:-127.0.0.1}
if [ ! -d "$dir" ]; then
  echo "$0: no such folder: $dir" >&2
  exit 1
fi
exec python3 -m http.server 88 --bind "$host" --directory "$dir"
