#!/usr/bin/env bash
# Responsiveness figures of the menus (printed, not asserted), with both DLLs in the Explorer
# stand-in under a virtual display, after a build:
#  - time from WM_INITMENUPOPUP to a filled level for folders of 100, 1,000 and 10,000 files
#    (from the extension's trace: the level's start to its "open-level ... items=" line);
#  - the longest time the menu thread did not answer while the worker probed the children of a
#    slow folder (40 sub-folders of 2,000 files each, none of them shown) during a walk.
#   tests/bench/menus_benchmark.sh
export QUILLO_ARTIFACTS=$(cd "$(dirname "$0")/../.." && pwd)/build/bench
source "$(dirname "$0")/../explorer_host/standalone.sh"
work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/install" "$work/data"
for n in 100 1000 10000; do
  mkdir -p "$work/f$n" && (cd "$work/f$n" && seq -f "file%06.0f.txt" 1 "$n" | xargs touch)
done
for i in $(seq 1 40); do
  mkdir -p "$work/slow/sub$i" && (cd "$work/slow/sub$i" && seq -f "x%05.0f.dat" 1 2000 | xargs touch)
done
host_setup_info "$(e2e_winpath "$work/install")" "$(e2e_winpath "$work/data")"

# fill_ms TRACE: milliseconds from the start of level 0 to its filled line.
fill_ms() {
  tr -d '\r' <"$1" | awk '/cursor busy=1/ && !s { s = $1 } / open-level level=0 / { print $1 - s; exit }'
}

for bits in 32 64; do
  host_register $bits
  host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=1
  for n in 100 1000 10000; do
    best=""
    for round in 1 2 3; do
      host_show $bits "fill$n-$bits-$round" "down;right;wait:300;cancel" --context "$(e2e_winpath "$work/f$n")"
      ms=$(fill_ms "$QUILLO_ARTIFACTS/fill$n-$bits-$round.trace")
      items=$(tr -d '\r' <"$QUILLO_ARTIFACTS/fill$n-$bits-$round.trace" | sed -n 's/.* open-level level=0 first=0 items=//p')
      if [ -z "$best" ] || [ "${ms:-99999}" -lt "$best" ]; then best=${ms:-99999}; fi
    done
    echo "bench Quillo$bits: WM_INITMENUPOPUP to a filled level, folder of $n files: ${best} ms (best of 3; $items items shown, 1,024 at most)"
  done
  host_options "$work/data/Options.lcf" menuPosition=2 includeExtensions=
  host_show $bits "slow-$bits" "down;right;wait:100;down;down;down;down;up;up;up;wait:2000;cancel" \
    --latency --context "$(e2e_winpath "$work/slow")"
  probes=$(grep -c 'probe position' "$QUILLO_ARTIFACTS/slow-$bits.trace")
  echo "bench Quillo$bits: longest menu-thread block during a walk while $probes child probes ran: $(sed -n 's/^latency max_ms=\([0-9]*\).*/\1/p' "$QUILLO_ARTIFACTS/slow-$bits.txt") ms"
done
standalone_end
