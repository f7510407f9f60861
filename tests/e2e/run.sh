#!/usr/bin/env bash
# Runs the end-to-end scenarios (tests/e2e/*.sh, or the names given) against dist/ in the
# private Wine prefix under a virtual display. Each scenario starts from the same registry: the
# prefix's registry files are saved before the first and put back after each one.
# A failed scenario is run once more (QUILLO_E2E_RETRIES, default 1): under Wine the stand-in's
# pointer moves race the X server's read-back, and a level opened by the pointer is now and then
# given up as left. A scenario counts as passed only when a run of it passes; the failed run's
# log stays in <scenario>/failed-run-N.txt and its first failure is printed.
# Prints "e2e: N passed, M failed"; exits non-zero when one failed.
#   tests/e2e/run.sh [scenario ...]
set -uo pipefail
export QUILLO_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$QUILLO_ROOT"
source tools/wine-env.sh
export QUILLO_BUILD=$QUILLO_ROOT/build QUILLO_DIST=$QUILLO_ROOT/dist

scenarios=()
if [ $# -gt 0 ]; then
  for name in "$@"; do scenarios+=("tests/e2e/${name%.sh}.sh"); done
else
  for f in tests/e2e/*.sh; do
    case "$(basename "$f")" in run.sh|lib.sh|demo.sh) continue ;; esac
    scenarios+=("$f")
  done
fi

quillo_wine_prefix
started_display=0
if [ -z "${DISPLAY:-}" ]; then quillo_display_start; started_display=1; fi
snapshot=$QUILLO_BUILD/e2e-registry
rm -rf "$snapshot" && mkdir -p "$snapshot"
quillo_wine_stop
cp "$WINEPREFIX"/*.reg "$snapshot/"

passed=0
failed=0
# run_scenario SCENARIO: one run from the saved registry; its output in $QUILLO_ARTIFACTS/log.txt.
run_scenario() {
  rm -rf "$QUILLO_ARTIFACTS" && mkdir -p "$QUILLO_ARTIFACTS"
  quillo_wine_start
  local status=0
  timeout "${QUILLO_E2E_TIMEOUT:-600}" bash "$1" >"$QUILLO_ARTIFACTS/log.txt" 2>&1 || status=1
  quillo_wine_stop
  cp "$snapshot"/*.reg "$WINEPREFIX/"
  return $status
}

for scenario in "${scenarios[@]}"; do
  name=$(basename "$scenario" .sh)
  export QUILLO_ARTIFACTS=$QUILLO_BUILD/artifacts/$name
  start=$(date +%s)
  tries=0
  kept=()
  until run_scenario "$scenario"; do
    tries=$((tries + 1))
    kept+=("$(cat "$QUILLO_ARTIFACTS/log.txt")")
    [ "$tries" -gt "${QUILLO_E2E_RETRIES:-1}" ] && break
    echo "e2e $name: run $tries failed ($(grep -m1 'FAIL' "$QUILLO_ARTIFACTS/log.txt")); running it again"
  done
  for i in "${!kept[@]}"; do printf '%s\n' "${kept[$i]}" >"$QUILLO_ARTIFACTS/failed-run-$((i + 1)).txt"; done
  if [ "$tries" -le "${QUILLO_E2E_RETRIES:-1}" ]; then
    passed=$((passed + 1))
    echo "e2e $name: passed ($(( $(date +%s) - start )) s)"
  else
    failed=$((failed + 1))
    echo "e2e $name: FAILED ($(( $(date +%s) - start )) s); log:"
    sed 's/^/    /' "$QUILLO_ARTIFACTS/log.txt" | tail -40
  fi
done

[ "$started_display" = 1 ] && quillo_display_stop
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
