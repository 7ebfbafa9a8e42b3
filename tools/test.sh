#!/usr/bin/env bash
# The test command: set-up, build every tree, run every test (native under ASan and
# UBSan, Windows under Wine, the fuzzers for a bounded time), then one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${BRIMBLO_FUZZ_SECONDS:-40}  # keeps the whole run well within the CI budget

bash "$root/tools/setup.sh" || { echo "test: set-up failed"; exit 1; }
# Wine runs the shipped 32-bit program only where the kernel runs 32-bit code; elsewhere
# the Windows tests run as 64-bit programs, built from the same sources.
windows_bits=32
if ! why32=$(bash "$root/tools/wine/can-run.sh" 32); then
  windows_bits=none
  bash "$root/tools/wine/can-run.sh" 64 >/dev/null && windows_bits=64
fi
build_options=(--fuzz)
[ $windows_bits = 64 ] && build_options+=(--win64-tests)
bash "$root/tools/build.sh" "${build_options[@]}" || { echo "test: build failed"; echo "0 passed, 1 failed"; exit 1; }

results="$root/build/test-results"
rm -rf "$results"; mkdir -p "$results/native" "$results/windows" "$results/fuzz"
status=0

echo "== native tests"
(cd "$root/build/native" && GTEST_OUTPUT="xml:$results/native/" \
  ctest --output-on-failure -j2 --timeout 900 --output-junit "$results/native.junit.xml") || status=1

echo "== Windows tests under Wine"
windows_tree="windows=$results/windows.junit.xml:$results/windows"
windows_skipped=0
count_tests() { (cd "$1" && ctest -N | sed -n 's/^Total Tests: *//p'); }
case $windows_bits in
  32) tree="$root/build/win32" ;;
  64) tree="$root/build/win64"
      echo "NOTE: the Windows tests run as 64-bit programs (with an installer made for them by"
      echo "NOTE: the same script), because $why32." ;;
  none) tree=""
      windows_skipped=$(count_tests "$root/build/win32")
      echo "SKIPPED: the ${windows_skipped} Windows test programs, because $why32, and Wine's 64-bit loader is missing."
      windows_tree="" ;;
esac
if [ -n "$tree" ]; then
  (cd "$tree" && BRIMBLO_RESULTS="$results/windows" \
    ctest --output-on-failure --timeout 900 --output-junit "$results/windows.junit.xml") || status=1
fi

echo "== fuzzers, ${fuzz_seconds} s each"
fuzz_pass=0; fuzz_fail=0
for f in "$root"/build/fuzz/fuzz/*/*_fuzz; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$root/build/fuzz/corpus/$name"; mkdir -p "$corpus"
  [ -x "${f}_seeds" ] && "${f}_seeds" "$corpus" >/dev/null
  if (cd "$results/fuzz" && "$f" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" > "$results/fuzz/$name.log" 2>&1); then
    echo "$name: clean ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$results/fuzz/$name.log" | grep -o '[0-9]*$') runs)"
    fuzz_pass=$((fuzz_pass + 1))
  else
    echo "$name: FAILED"; tail -40 "$results/fuzz/$name.log"
    fuzz_fail=$((fuzz_fail + 1)); status=1
  fi
done

python3 "$root/tools/summarize-tests.py" \
  "native=$results/native.junit.xml:$results/native" $windows_tree \
  --extra-passed "$fuzz_pass" --extra-failed "$fuzz_fail" --extra-skipped "$windows_skipped" || status=1
exit $status
