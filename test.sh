#!/usr/bin/env bash
# Runs the whole test suite: host unit tests (ASan/UBSan), Windows tests of both architectures
# under Wine, and the end-to-end scenarios under a virtual display. Builds first (./build.sh
# --no-demo, which installs what is missing). Ends with one line "N passed, M failed".
#   ./test.sh               everything
#   ./test.sh host|win|e2e  one layer only (after a build)
set -uo pipefail
cd "$(dirname "$0")"
export QUILLO_ROOT=$PWD
layer=${1:-all}

if [ "$layer" = all ]; then
  ./build.sh --no-demo || { echo "build failed"; echo "0 passed, 1 failed"; exit 1; }
fi

total_passed=0
total_failed=0

# Adds up ctest's "x% tests passed, F tests failed out of T" line; a run without that line counts
# as one failure.
count_ctest() {
  local log=$1 line t f
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$log"; then return; fi
    total_failed=$((total_failed + 1))
    return
  fi
  f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  t=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  total_passed=$((total_passed + t - f))
  total_failed=$((total_failed + f))
}

run_ctest() {
  local tree=$1 log=build/ctest-$1.log
  echo "== $tree tests"
  ctest --test-dir "build/$tree" -j2 --output-on-failure --timeout 300 >"$log" 2>&1
  grep -E 'tests passed|\*\*\*|Failed|Timeout' "$log" | grep -v '^ *Start' || true
  grep -q 'tests passed' "$log" || tail -30 "$log"
  count_ctest "$log"
}

source tools/wine-env.sh

if [ "$layer" = all ] || [ "$layer" = host ]; then
  run_ctest host
fi

if [ "$layer" = all ] || [ "$layer" = win ] || [ "$layer" = e2e ]; then
  quillo_wine_prefix
  quillo_display_start
fi

if [ "$layer" = all ] || [ "$layer" = win ]; then
  quillo_wine_start
  run_ctest win32
  run_ctest win64
  quillo_wine_stop
fi

if [ "$layer" = all ] || [ "$layer" = e2e ]; then
  echo "== end-to-end scenarios"
  tests/e2e/run.sh >build/e2e.log 2>&1
  cat build/e2e.log
  line=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' build/e2e.log | tail -1)
  if [ -n "$line" ]; then
    total_passed=$((total_passed + $(echo "$line" | sed -E 's/e2e: ([0-9]+) passed.*/\1/')))
    total_failed=$((total_failed + $(echo "$line" | sed -E 's/.* ([0-9]+) failed/\1/')))
  else
    total_failed=$((total_failed + 1))
  fi
fi

quillo_display_stop
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
