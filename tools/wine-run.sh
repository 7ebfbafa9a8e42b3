#!/usr/bin/env bash
# Runs one Windows program under Wine: the emulator ctest uses for the cross tree.
# The prefix lives in the build folder that holds the program (found from its CMakeCache.txt).
set -euo pipefail
if [ -z "${BRIMBLO_WINEPREFIX:-}" ]; then
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || { echo "wine-run: no build folder above $1" >&2; exit 2; }
  export BRIMBLO_WINEPREFIX="$d/wineprefix"
fi
# A 64-bit program needs a 64-bit prefix; the build folder holds programs of one kind.
BRIMBLO_WINE_BITS=$(bash "$(dirname "${BASH_SOURCE[0]}")/wine/pe-bits.sh" "$1")
export BRIMBLO_WINE_BITS
source "$(dirname "${BASH_SOURCE[0]}")/wine/env.sh"
# Test results as XML, for the summary of the test command (gtest reads GTEST_OUTPUT).
if [ -n "${BRIMBLO_RESULTS:-}" ]; then
  export GTEST_OUTPUT="xml:$(winepath -w "$BRIMBLO_RESULTS" 2>/dev/null)\\"
fi
exec wine "$@"
