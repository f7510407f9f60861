# Browsing through the Explorer stand-in with both DLLs: three levels into a folder tree by
# keyboard and by mouse. Each level lists exactly the folder's shown entries in order (folders
# first, then files, by name; the first level ends with the parent folder, "Recent" and
# "Favorites"); entries whose children are unknown show "?" until the worker decides; an empty
# folder gets no cascade. Screenshots: keys32.png, mouse32.png, keys64.png, mouse64.png.
# (Mouse scripts first rest the pointer on a host entry: the first move after a start can be
# reported late by the virtual display.)
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/alpha/beta/gamma" "$tree/alpha/empty" "$tree/alpha/Zoo"
for f in alpha/apple.txt alpha/one.txt alpha/Zoo/z.txt alpha/beta/two.txt alpha/beta/gamma/three.txt; do
  echo "$f" >"$tree/$f"
done
winTree=$(e2e_winpath "$tree")
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2

# expect_level NAME LEVEL ENTRY...: the texts filled into that level, in order.
expect_level() {
  local name=$1 level=$2; shift 2
  local wanted="" got
  for entry in "$@"; do wanted+="$entry"$'\n'; done
  got=$(host_filled "$QUILLO_ARTIFACTS/$name.trace" "$level")
  [ "$got" = "${wanted%$'\n'}" ] || e2e_fail "$name: level $level holds [$got], wanted [${wanted%$'\n'}]"
}

# check_walk NAME: what a walk down alpha > beta > gamma must have shown.
check_walk() {
  local name=$1 out=$QUILLO_ARTIFACTS/$1.txt trace=$QUILLO_ARTIFACTS/$1.trace
  expect_level "$name" 0 beta empty Zoo apple.txt one.txt "" "$winTree" Recent Favorites
  expect_level "$name" 1 gamma two.txt
  expect_level "$name" 2 three.txt
  # Every entry but the separator has an icon: of the system image list, or for "Recent" and
  # "Favorites" (positions 7 and 8 of the first level) the module's own.
  tr -d '\r' <"$trace" | grep -E ' icon level=[0-2] ' | grep -Ev 'index=[0-9]+$|level=0 position=[78] index=module$' &&
    e2e_fail "$name: an entry without its icon"
  [ "$(grep -cE ' icon level=[0-2] ' "$trace")" -ge 11 ] || e2e_fail "$name: icons not traced"
  # The folders were filled with unknown children ("?") and then decided by the worker.
  grep -Eq 'fill level=0 position=1 child=-1 real=empty text=empty' "$trace" || e2e_fail "$name: empty folder not pending"
  grep -Eq 'probe position=1 child=0' "$trace" || e2e_fail "$name: empty folder not decided empty"
  grep -Eq 'probe position=2 child=1' "$trace" || e2e_fail "$name: Zoo not decided"
  # Four menus are up at the end: the host's and three levels, with the cascades the user sees.
  [ "$(grep -c '^menu ' "$out")" = 4 ] || e2e_fail "$name: not four menus open: $(grep '^menu ' "$out")"
  awk '/^menu /{m++} m==2' "$out" | grep -Eq 'pos=0 data=0x[0-9a-f]* submenu=yes' || e2e_fail "$name: beta does not cascade"
  awk '/^menu /{m++} m==2' "$out" | grep -Eq 'pos=1 data=0x[0-9a-f]* submenu=no' || e2e_fail "$name: empty folder cascades"
  awk '/^menu /{m++} m==2' "$out" | grep -Eq 'pos=4 data=0x[0-9a-f]* submenu=no' || e2e_fail "$name: a file cascades"
  grep -Eq 'teardown' "$trace" || e2e_fail "$name: no teardown"
  echo "ok: $name"
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  host_show $bits "keys$bits" \
    "down;right;await:2;right;await:3;right;await:4;wait:400;dump;shot:keys$bits;escape;escape;escape;escape" \
    --context "$winTree\\alpha"
  check_walk "keys$bits"
  host_show $bits "mouse$bits" \
    "point:0,2;wait:300;point:0,0;await:2;point:1,0;await:3;point:2,0;await:4;wait:400;dump;shot:mouse$bits;escape;escape;escape;escape" \
    --context "$winTree\\alpha"
  check_walk "mouse$bits"
done
