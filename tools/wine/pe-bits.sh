#!/usr/bin/env bash
# Usage: pe-bits.sh PROGRAM. Prints 64 for a 64-bit Windows program (PE32+), else 32.
set -euo pipefail
pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
machine=$(od -An -tx1 -j$((pe + 4)) -N2 "$1" | tr -d ' ')
[ "$machine" = 6486 ] && echo 64 || echo 32
