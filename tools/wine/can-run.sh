#!/usr/bin/env bash
# Usage: can-run.sh [32|64]. Exits 0 when Wine can run Windows programs of that many bits
# (32, the shipped program's, unless told) on this machine; otherwise prints the reason
# in one line and exits 1. Wine runs 32-bit Windows programs with 32-bit Linux code, so
# for those the kernel must run 32-bit programs itself: through a user-mode emulator
# registered for them, Wine's first start does not finish.
bits=${1:-32}

if [ "$bits" = 64 ]; then
  if [ ! -x /usr/lib/wine/wine64 ]; then
    echo "Wine's 64-bit loader is not installed (tools/setup.sh installs it)"
    exit 1
  fi
  exit 0
fi
if ! command -v wine >/dev/null 2>&1; then
  echo "Wine is not installed (tools/setup.sh installs it)"
  exit 1
fi
bash "$(dirname "$0")/kernel-runs-32.sh" || exit 1
if [ ! -x /usr/lib/wine/wine ]; then
  echo "Wine's 32-bit loader is not installed (tools/setup.sh installs it)"
  exit 1
fi
