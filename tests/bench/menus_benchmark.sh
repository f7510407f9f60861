#!/usr/bin/env bash
# Responsiveness figures of the menus (printed, not asserted), for Quillo32 and Quillo64 in one
# run, after a build of both trees. Every figure is the median of QUILLO_BENCH_ROUNDS rounds
# (default 5), measured beside its baseline in the same process and the same run; nothing timed
# writes a trace line per entry. QUILLO_BENCH_BITS="32" runs one DLL, QUILLO_BENCH_PARTS a part
# or several of "listing menu walks scan" (the numbers below):
#  1. for folders of 100, 1,000 and 10,000 empty files and a folder of 1,000 mixed entries
#     (sub-folders, shortcuts, hidden files, programs, eight extensions):
#     - listing_benchmark: a bare FindFirstFileA walk, a bare shell enumeration (in-folder names
#       and attributes), the product's finished listing, listing/shell, and where the listing's
#       time goes step by step ("breakdown");
#     - the stand-in showing the menu: the same two baselines in its own process before each
#       round, then, from the extension's level-only trace (QUILLO_TRACE_ENTRIES=0: two lines a
#       level), the time from the start of WM_INITMENUPOPUP to a filled level ("fill": listing
#       wait and fill) and to its first drawn item ("shown": Windows has measured the items),
#       with fill/shell and shown/shell;
#  2. the longest time the menu thread did not handle a posted message while the workers probed
#     children, sized entries and the tool tip counted folders, outside the listing waits of
#     WM_INITMENUPOPUP, and the longest wait for a worker when a level closed (from the
#     level-only trace), during walks with sizes and tool tips on: through 40 sub-folders of
#     2,000 files each, all hidden by the filter (long probes), and through 10 folders of 10,000
#     files in 10 sub-folders each (size scans and counts);
#  3. size_scan_benchmark: the size column's scan and the tool tip's count of a tree of 100,000
#     files against a bare recursive FindFirstFileA walk of it, and the time from a stop request
#     to the walk's end.
#   tests/bench/menus_benchmark.sh
rounds=${QUILLO_BENCH_ROUNDS:-5}
export QUILLO_ARTIFACTS=$(cd "$(dirname "$0")/../.." && pwd)/build/bench
source "$(dirname "$0")/../explorer_host/standalone.sh"
work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/install" "$work/data"
for n in 100 1000 10000; do
  mkdir -p "$work/f$n" && (cd "$work/f$n" && seq -f "file%06.0f.txt" 1 "$n" | xargs touch)
done
wine "$QUILLO_BUILD/win32/extension/model/listing_benchmark.exe" --make-mixed "$(e2e_winpath "$work/mixed")" \
  </dev/null >/dev/null 2>&1
for i in $(seq 1 40); do
  mkdir -p "$work/slow/sub$i" && (cd "$work/slow/sub$i" && seq -f "x%05.0f.dat" 1 2000 | xargs touch)
done
for i in $(seq 1 10); do
  for j in $(seq 1 10); do
    mkdir -p "$work/tree/d$i/e$j" && (cd "$work/tree/d$i/e$j" && seq -f "f%04.0f.dat" 1 1000 | xargs touch)
  done
done
host_setup_info "$(e2e_winpath "$work/install")" "$(e2e_winpath "$work/data")"

# median: the median of the numbers on stdin, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2];
                                      else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# field NAME FILE PATTERN: the values of NAME= on the lines of FILE matching PATTERN.
field() {
  grep -E "$3" "$2" | sed -E "s/.*[ ^]$1=([-0-9.]+).*/\1/"
}
# level_ms TRACE PATTERN: for each level 0 in the trace, the milliseconds from its start to the
# first line after it that matches PATTERN.
level_ms() {
  tr -d '\r' <"$1" | awk -v end="$2" '/ level-start level=0$/ { s = $1; open = 1 }
                                         open && $0 ~ end { print $1 - s; open = 0 }'
}
# part NAME: true when the run includes that part.
part() { [[ " ${QUILLO_BENCH_PARTS:-listing menu walks scan} " == *" $1 "* ]]; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# walk BITS NAME FOLDER FILTER SCRIPT: rounds walks through the menus of FOLDER (sizes and tool
# tips on, FILTER as includeExtensions) while the stand-in times how long the menu thread takes
# to handle a posted message; prints the longest block outside the listing waits, the longest
# wait for a worker as a level closed, and what the workers and the tool tip did.
walk() {
  local bits=$1 what=$2 folder=$3 filter=$4 script=$5 round name blocks=() others=() waits=()
  local longest trace
  host_options "$work/data/Options.lcf" menuPosition=2 "$filter" sizeInfoShown=1 \
    sizeInfoStartDisabled=0 toolTipsEnabled=1 toolTipSpeed=2
  for round in $(seq 1 "$rounds"); do
    name=walk-$what-$bits-$round
    host_show $bits "$name" "$script" --latency --context "$(e2e_winpath "$work/$folder")"
    blocks+=("$(field outside_fill_ms "$QUILLO_ARTIFACTS/$name.txt" '^latency ')")
    others+=("$(field outside_opening_ms "$QUILLO_ARTIFACTS/$name.txt" '^latency ')")
    longest=$(tr -d '\r' <"$QUILLO_ARTIFACTS/$name.trace" | field ms /dev/stdin 'worker-wait ' | sort -g | tail -1)
    waits+=("${longest:-0}")
  done
  trace=$(tr -d '\r' <"$QUILLO_ARTIFACTS/walk-$what-$bits-1.trace")
  echo "bench Quillo$bits: walk $what ($folder): longest menu-thread block outside the listing" \
    "waits: $(printf '%s\n' "${blocks[@]}" | median) ms (median of $rounds walks; each: ${blocks[*]});" \
    "outside the opening of levels: $(printf '%s\n' "${others[@]}" | median) ms (each: ${others[*]});" \
    "longest wait for a worker as a level closed: $(printf '%s\n' "${waits[@]}" | median) ms (each:" \
    "${waits[*]}); first walk: $(grep -c 'worker-end' <<<"$trace") workers," \
    "$(grep 'worker-end ' <<<"$trace" | sed -E 's/.* probes=([0-9]+).*/\1/' | paste -sd+ | bc) probes," \
    "$(grep 'worker-end ' <<<"$trace" | sed -E 's/.* scans=([0-9]+).*/\1/' | paste -sd+ | bc) size scans," \
    "$(grep -c ' tooltip shown' <<<"$trace") tool tips"
}

folders=(f100 f1000 f10000 mixed)
export QUILLO_TRACE_ENTRIES=0
for bits in ${QUILLO_BENCH_BITS:-32 64}; do
  host_register $bits
  echo "== Quillo$bits"
  listing_args=()
  for folder in "${folders[@]}"; do listing_args+=("$(e2e_winpath "$work/$folder")"); done
  part listing && wine "$QUILLO_BUILD/win$bits/extension/model/listing_benchmark.exe" "$rounds" \
    "${listing_args[@]}" </dev/null 2>/dev/null | tr -d '\r' | sed "s/^/bench Quillo$bits: /"

  host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=1
  part menu && for folder in "${folders[@]}"; do
    name=fill-$folder-$bits
    path=$(e2e_winpath "$work/$folder")
    # One more round than counted: the first one in a process also loads and initialises.
    QUILLO_HOST_TIMEOUT=600 host_show $bits "$name" "down;right;await:2;cancel" --walks "$path" \
      --repeat $((rounds + 1)) --context "$path"
    raw=$(field raw_ms "$QUILLO_ARTIFACTS/$name.txt" '^walk ' | tail -n +2 | median)
    shell=$(field shell_ms "$QUILLO_ARTIFACTS/$name.txt" '^walk ' | tail -n +2 | median)
    fill=$(level_ms "$QUILLO_ARTIFACTS/$name.trace" ' open-level level=0 first=' | tail -n +2 | median)
    shown=$(level_ms "$QUILLO_ARTIFACTS/$name.trace" ' level-shown level=0$' | tail -n +2 | median)
    items=$(field items "$QUILLO_ARTIFACTS/$name.trace" ' open-level level=0 first=' | tail -1)
    echo "bench Quillo$bits: menu folder=$folder raw_ms=$raw shell_ms=$shell fill_ms=$fill" \
      "shown_ms=$shown fill/shell=$(ratio "$fill" "$shell") shown/shell=$(ratio "$shown" "$shell")" \
      "($(level_ms "$QUILLO_ARTIFACTS/$name.trace" ' level-shown level=0$' | tail -n +2 | wc -l) rounds after a" \
      "warm-up round, $items items shown)"
  done

  # Long probes: sub-folders whose 2,000 files are all hidden by the filter are read to the end.
  part walks && walk $bits probes slow includeExtensions= \
    "down;right;await:2;down;rest:400;down;rest:400;right;left;down;rest:400;right;left;up;rest:400;up;up;rest:300;cancel"
  # Size scans and counts: ten folders of 10,000 files in ten sub-folders each.
  part walks && walk $bits sizes tree "includeExtensions=*" \
    "down;right;await:2;rest:500;down;rest:500;down;right;await:3;rest:300;left;rest:500;up;rest:500;cancel"

  part scan && wine "$QUILLO_BUILD/win$bits/extension/size_scan_benchmark.exe" "$rounds" \
    "$(e2e_winpath "$work/tree")" </dev/null 2>/dev/null | tr -d '\r' | sed "s/^/bench Quillo$bits: /"
done
standalone_end
