# Long folders and moving on, with both DLLs: a folder longer than a column pages with "More..."
# in single-column mode and breaks into columns with multiColumn; hovering an entry whose
# submenu is open again does not rebuild it; moving away while a big folder is still being
# listed abandons that level and the busy cursor returns. Screenshots: paged32.png,
# columns32.png (and 64).
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/top/long" "$work/tree/top/huge" "$work/tree/top/small"
for i in $(seq -w 1 120); do : >"$work/tree/top/long/file$i.txt"; done
(cd "$work/tree/top/huge" && seq -f "h%.0f.txt" 1 6000 | xargs touch)
: >"$work/tree/top/small/only.txt"
winTop=$(e2e_winpath "$work/tree/top")
host_installed "$work"

# menu_items OUT N: the item lines of the N-th popup (0 the host's) of the dump.
menu_items() { awk -v n="$2" '/^menu /{m++} m==n+1 && /^menuitem/' "$1"; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  # Level 0 of top: huge, long, small, separator, parent, Recent, Favorites.
  host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=0
  host_show $bits "paged$bits" "down;right;await:2;down;right;await:3;wait:300;dump;shot:paged$bits;escape;escape;escape" \
    --context "$winTop"
  out=$QUILLO_ARTIFACTS/paged$bits.txt
  rows=$(menu_items "$out" 2 | wc -l)
  [ "$rows" -ge 3 ] && [ "$rows" -lt 120 ] || e2e_fail "$bits: long folder not paged ($rows rows)"
  host_filled "$QUILLO_ARTIFACTS/paged$bits.trace" 1 | tail -2 | tr '\n' '|' | grep -q '^|More...|$' ||
    e2e_fail "$bits: the page does not end with a separator and More..."
  menu_items "$out" 2 | grep -q 'break=yes' && e2e_fail "$bits: single-column mode broke into columns"
  echo "ok: $bits paged into $rows rows"

  host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=1
  host_show $bits "columns$bits" "down;right;await:2;down;right;await:3;wait:300;dump;shot:columns$bits;escape;escape;escape" \
    --context "$winTop"
  out=$QUILLO_ARTIFACTS/columns$bits.txt
  [ "$(menu_items "$out" 2 | wc -l)" = 120 ] || e2e_fail "$bits: multiColumn does not show all 120 files"
  breaks=$(menu_items "$out" 2 | grep -c 'break=yes')
  [ "$breaks" -ge 1 ] || e2e_fail "$bits: no column break"
  [ "$(menu_items "$out" 2 | awk '/break=yes/{print; exit}' | sed 's/.*pos=\([0-9]*\).*/\1/')" = "$rows" ] ||
    e2e_fail "$bits: the second column does not start after one column of $rows"
  echo "ok: $bits columns ($breaks breaks)"

  # The pointer-driven checks below race Wine's late read-back of the pointer: the first level,
  # opened by pointing, is now and then given up as left within 100 ms. Until the scenarios can
  # wait for that read-back they run only when asked: QUILLO_E2E_POINTER_RACES=1.
  if [ "${QUILLO_E2E_POINTER_RACES:-0}" = 1 ]; then
    # Re-hovering: into small's submenu, back onto small, into the submenu again.
    host_show $bits "rehover$bits" "point:0,2;rest:300;point:0,0;rest:900;point:1,2;wait:900;point:2,0;wait:400;point:1,2;wait:600;point:2,0;wait:400;dump;escape;escape;escape" \
      --context "$winTop"
    [ "$(grep -c 'open-level level=1 ' "$QUILLO_ARTIFACTS/rehover$bits.trace")" = 1 ] ||
      e2e_fail "$bits: the open submenu was built again"
    [ "$(grep -c '^menu ' "$QUILLO_ARTIFACTS/rehover$bits.txt")" = 3 ] || e2e_fail "$bits: small's submenu is not open"

    # Moving on while huge (6000 files) is listed: that level is abandoned, the cursor is idle.
    host_show $bits "abandon$bits" "point:0,2;rest:300;point:0,0;rest:900;point:1,0;wait:80;point:1,2;wait:1500;escape;escape;escape" \
      --context "$winTop"
    trace=$QUILLO_ARTIFACTS/abandon$bits.trace
    grep -q 'open-level level=1 no-listing' "$trace" || e2e_fail "$bits: the huge folder was not abandoned"
    [ "$(grep 'cursor busy=' "$trace" | tail -1 | tr -d '\r' | sed 's/.*busy=//')" = 0 ] || e2e_fail "$bits: the busy cursor stayed"
    echo "ok: $bits re-hover and abandon"
  fi
done
