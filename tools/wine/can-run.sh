#!/usr/bin/env bash
# Usage: can-run.sh [32|64]. Exits 0 when Wine can run Windows programs of that many bits
# (32, the shipped program's, unless told) on this machine; otherwise prints the reason
# in one line and exits 1. Wine runs 32-bit Windows programs with 32-bit Linux code, so
# for those the kernel must run 32-bit programs itself: through a user-mode emulator
# registered for them, Wine's first start does not finish.
bits=${1:-32}
i386_magic=7f454c4601010100000000000000000002000300

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
for entry in /proc/sys/fs/binfmt_misc/*; do
  [ -f "$entry" ] || continue
  if grep -qx enabled "$entry" 2>/dev/null && grep -q "^magic $i386_magic" "$entry" 2>/dev/null; then
    echo "32-bit programs on this machine run through an emulator ($(sed -n 's/^interpreter //p' "$entry")), under which Wine does not start"
    exit 1
  fi
done
if [ -e /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "this machine's kernel runs no 32-bit programs (its IA-32 emulation is off)"
  exit 1
fi
exit 0
