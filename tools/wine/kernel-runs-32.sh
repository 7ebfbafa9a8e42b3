#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs itself, as 32-bit Wine
# needs; otherwise prints the reason in one line and exits 1. It needs no 32-bit
# package: it runs a 95-byte static program that only exits with code 42.
i386_magic=7f454c4601010100000000000000000002000300

for entry in /proc/sys/fs/binfmt_misc/*; do
  [ -f "$entry" ] || continue
  if grep -qx enabled "$entry" 2>/dev/null && grep -q "^magic $i386_magic" "$entry" 2>/dev/null; then
    echo "32-bit programs on this machine run through an emulator ($(sed -n 's/^interpreter //p' "$entry")), under which Wine does not start"
    exit 1
  fi
done

probe=$(mktemp "${TMPDIR:-/tmp}/runs32.XXXXXX") || { echo "no temporary file for the 32-bit probe"; exit 1; }
trap 'rm -f "$probe"' EXIT
{
  # ELF header: 32-bit, little-endian, executable for the 80386, entry at 0x08048054.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  # One loadable, executable segment: the whole file at 0x08048000.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  printf '\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  # xor ebx,ebx; mov bl,42; mov eax,1 (exit); int 0x80
  printf '\x31\xdb\xb3\x2a\xb8\x01\x00\x00\x00\xcd\x80'
} >"$probe"
chmod +x "$probe"
why=$("$probe" 2>&1)
[ $? = 42 ] && exit 0
case "$why" in
  *"format error"*) echo "this machine's kernel runs no 32-bit programs (its IA-32 emulation is off)" ;;
  *) echo "a 32-bit test program did not run here (${why:-it ended with the wrong code})" ;;
esac
exit 1
