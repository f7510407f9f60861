# A folder that cascades but lists nothing when opened, with both DLLs: "gone" held a file when
# the worker decided it has children (it got its popup), then the file is deleted. Opening it
# with Right finds the listing empty: the menus stay up, the entry loses its popup (under Wine
# when the empty popup closes again, here with Left) and shows no cascade arrow; Right then opens
# nothing. Screenshot: gone32.png, gone64.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2
winTree=$(e2e_winpath "$tree")

# dump_items OUT N D: the item lines of the N-th popup (0 the host's) in the D-th dump (1 first).
dump_items() { awk -v d="$3" -v n="$2" '/^step "dump"/{k++} /^menu /{if (k == d) m++} k == d && m == n + 1 && /^menuitem/' "$1"; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  rm -rf "$tree" && mkdir -p "$tree/top/gone"
  echo x >"$tree/top/gone/last.txt"
  echo y >"$tree/top/z.txt"
  name=gone$bits
  trace=$QUILLO_ARTIFACTS/$name.trace
  # The file goes as soon as the worker has seen it.
  (
    for _ in $(seq 100); do
      grep -q 'probe position=0 child=1' "$trace" 2>/dev/null && break
      sleep 0.1
    done
    rm -f "$tree/top/gone/last.txt"
  ) &
  deleter=$!
  # Level 0 of top: gone, z.txt, separator, the parent folder, Recent, Favorites.
  host_show $bits $name \
    "down;right;await:2;wait:2500;dump;right;wait:800;dump;left;wait:500;dump;right;wait:500;dump;shot:$name;escape;escape;escape" \
    --context "$winTree\\top"
  wait $deleter
  out=$QUILLO_ARTIFACTS/$name.txt
  grep -q 'probe position=0 child=1' "$trace" || e2e_fail "$name: gone was not decided to cascade"
  [ ! -e "$tree/top/gone/last.txt" ] || e2e_fail "$name: the file was not deleted"
  dump_items "$out" 1 1 | grep -q '^menuitem pos=0 .*submenu=yes' || e2e_fail "$name: gone had no popup before"
  grep -q 'open-level level=1 first=0 items=0' "$trace" || e2e_fail "$name: gone's listing was not opened empty"
  # Opening it leaves the menus up; at most an empty popup shows (Wine shows one until it closes).
  menus_in() { awk -v d="$2" '/^step "dump"/{k++} k == d && /^menu /' "$1"; }
  [ "$(menus_in "$out" 2 | wc -l)" -ge 2 ] || e2e_fail "$name: opening the empty folder closed the menus"
  menus_in "$out" 2 | sed -n 3p | grep -Eq 'items=0$|^$' || e2e_fail "$name: a popup with items: $(menus_in "$out" 2)"
  # Once that popup is gone the entry no longer cascades, and Right opens nothing.
  for d in 3 4; do
    [ "$(menus_in "$out" $d | wc -l)" = 2 ] || e2e_fail "$name: not the host's menu and level 0 in dump $d: $(menus_in "$out" $d)"
    dump_items "$out" 1 $d | grep -q '^menuitem pos=0 .*submenu=no' ||
      e2e_fail "$name: gone still cascades in dump $d: $(dump_items "$out" 1 $d | head -1)"
  done
  echo "ok: $name"
done
