#!/usr/bin/env bash
# The test command: set-up, build every tree, run every test (native under ASan and
# UBSan, Windows under Wine, the fuzzers for a bounded time), then one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${BRIMBLO_FUZZ_SECONDS:-60}

bash "$root/tools/setup.sh" || { echo "test: set-up failed"; exit 1; }
bash "$root/tools/build.sh" --fuzz || { echo "test: build failed"; echo "0 passed, 1 failed"; exit 1; }

results="$root/build/test-results"
rm -rf "$results"; mkdir -p "$results/native" "$results/win32" "$results/fuzz"
status=0

echo "== native tests"
(cd "$root/build/native" && GTEST_OUTPUT="xml:$results/native/" \
  ctest --output-on-failure -j2 --timeout 900 --output-junit "$results/native.junit.xml") || status=1

echo "== Windows tests under Wine"
win32_tree="win32=$results/win32.junit.xml:$results/win32"
win32_skipped=0
if why=$(bash "$root/tools/wine/can-run.sh"); then
  (cd "$root/build/win32" && BRIMBLO_RESULTS="$results/win32" \
    ctest --output-on-failure --timeout 900 --output-junit "$results/win32.junit.xml") || status=1
else
  # The Windows tree is built (so it compiles), but none of its tests can run here.
  win32_skipped=$(cd "$root/build/win32" && ctest -N | sed -n 's/^Total Tests: *//p')
  echo "SKIPPED: the ${win32_skipped} Windows test programs, because $why."
  echo "SKIPPED: run the test command on a machine that runs 32-bit programs to test the Windows code."
  win32_tree=""
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
  "native=$results/native.junit.xml:$results/native" $win32_tree \
  --extra-passed "$fuzz_pass" --extra-failed "$fuzz_fail" --extra-skipped "$win32_skipped" || status=1
exit $status
