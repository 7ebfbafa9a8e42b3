#!/usr/bin/env bash
# Configures and builds the trees under build/: win32 (the program and its Wine tests),
# native (portable code and tools, with ASan and UBSan), and with --fuzz the clang
# libFuzzer tree, with --bench the optimised benchmark tree. With --win64-tests the
# Windows tests are built as 64-bit programs in build/win64 instead, for a machine whose
# Wine runs only 64-bit code, and the win32 tree builds only what is released.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${BRIMBLO_JOBS:-$(nproc)}
want_fuzz=0; want_bench=0; win64_tests=0; trees=(native win32)
for a in "$@"; do
  case "$a" in
    --fuzz) want_fuzz=1 ;;
    --bench) want_bench=1 ;;
    --win32-only) trees=(win32) ;;
    --win64-tests) win64_tests=1 ;;
    *) echo "build: unknown option $a" >&2; exit 2 ;;
  esac
done

# Line tables only (-g1): sanitizer reports and crash backtraces keep their files and
# lines, and the trees build about a quarter faster than with full debug information.
# A tree configured by hand keeps the compiler's usual flags.
line_tables=()
for lang in C CXX; do
  line_tables+=("-DCMAKE_${lang}_FLAGS_DEBUG=-g1" "-DCMAKE_${lang}_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
done

configure() {  # folder, cmake arguments...
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" "${line_tables[@]}" "$@" >/dev/null
}

[ $win64_tests = 1 ] && trees+=(win64)
for t in "${trees[@]}"; do
  targets=()
  case $t in
    native) configure "$root/build/native" -DBRIMBLO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug ;;
    win32)  configure "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
            [ $win64_tests = 1 ] && targets=(--target release) ;;
    win64)  configure "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ;;
  esac
  cmake --build "$root/build/$t" -j"$jobs" "${targets[@]}"
done
# The cross tree makes the release (installer and archive); it is handed out from here.
if [ -d "$root/build/win32/release" ]; then
  rm -rf "$root/build/release"
  cp -r "$root/build/win32/release" "$root/build/release"
fi
if [ $want_fuzz = 1 ]; then
  configure "$root/build/fuzz" -DBRIMBLO_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$root/build/fuzz" -j"$jobs"
fi
if [ $want_bench = 1 ]; then
  configure "$root/build/bench" -DBRIMBLO_BENCH=ON -DCMAKE_BUILD_TYPE=Release
  cmake --build "$root/build/bench" -j"$jobs"
fi
