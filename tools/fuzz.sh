#!/usr/bin/env bash
# Fuzzes every parser of outside input: builds the preset fuzz (clang 14, libFuzzer, ASan/UBSan)
# when needed, writes the generated seeds, then runs each target for SECONDS (default 30) and
# prints one line per target, "fuzz NAME: N executions, M crashes". Exits non-zero when any target
# crashed, timed out (10 s per input) or ran out of memory (2 GiB).
#   tools/fuzz.sh [SECONDS] [TARGET...]
# SECONDS 0 runs without a time limit; FUZZ_FLAGS adds libFuzzer flags, e.g. a long campaign:
#   FUZZ_FLAGS=-runs=10000000 tools/fuzz.sh 0 zip_archive
# The corpus each run grows is kept in build/fuzz/corpus/NAME, findings in build/fuzz/findings/NAME,
# libFuzzer's output in build/fuzz/logs/NAME.log. A finding stays a seed: copy it into
# fuzz/seeds/NAME/ once the product is mended.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
case $seconds in '' | *[!0-9]*) echo "usage: tools/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2 ;; esac

tree=build/fuzz
mkdir -p build
if ! command -v clang++-14 >/dev/null || [ ! -f /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ]; then
  echo "fuzz: clang 14 with libFuzzer is missing (tools/install-deps.sh installs it)" >&2
  exit 1
fi
if [ ! -f $tree/CMakeCache.txt ]; then
  cmake --preset fuzz >$tree.configure.log 2>&1 || { cat $tree.configure.log; exit 1; }
fi
if ! cmake --build $tree -j2 >$tree.build.log 2>&1; then
  tail -30 $tree.build.log
  echo "fuzz: build failed"
  exit 1
fi
rm -rf $tree/seeds
$tree/fuzz/seed_corpus . $tree/seeds || exit 1

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for binary in $tree/fuzz/*_fuzzer; do
    name=${binary##*/}
    targets+=("${name%_fuzzer}")
  done
fi

failed=0
for name in "${targets[@]}"; do
  binary=$tree/fuzz/${name}_fuzzer
  [ -x "$binary" ] || { echo "fuzz $name: no such target"; failed=1; continue; }
  corpus=$tree/corpus/$name findings=$tree/findings/$name log=$tree/logs/$name.log
  mkdir -p "$corpus" "$findings" "$tree/logs"
  seeds=()
  for dir in fuzz/seeds/$name $tree/seeds/$name; do [ -d "$dir" ] && seeds+=("$dir"); done
  before=$(find "$findings" -type f | wc -l)
  nice -n 10 "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" ${FUZZ_FLAGS:-} "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=$(($(find "$findings" -type f | wc -l) - before))
  if [ $rc -ne 0 ] && [ $crashes -eq 0 ]; then crashes=1; fi  # ended without leaving its input
  echo "fuzz $name: ${executions:-0} executions, $crashes crashes"
  if [ $crashes -ne 0 ]; then
    failed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*check failed|.*runtime error)' "$log" | head -3 | sed 's/^/  /'
    echo "  input: $(ls -t "$findings" | head -1 | sed "s|^|$findings/|"), log: $log"
  fi
done
exit $failed
