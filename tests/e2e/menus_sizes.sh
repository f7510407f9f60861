# The size column with both DLLs in the Explorer stand-in: the worker computes the size of every
# file and the total below every folder (hidden files included) and the column shows it in the
# configured units (adaptive with Quillo32, KB with Quillo64); with the option off, or switched
# off at start, no size is computed or drawn. Screenshots: sizes32.png, sizes64.png,
# nosizes32.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/alpha/sub/inner" "$tree/alpha/sub2"
head -c 1536 /dev/zero >"$tree/alpha/big.bin"
: >"$tree/alpha/zero.txt"
head -c 4000 /dev/zero >"$tree/alpha/sub/one.bin"
head -c 1000 /dev/zero >"$tree/alpha/sub/inner/two.bin"
head -c 1000 /dev/zero >"$tree/alpha/sub/.hidden.bin"
head -c 3000 /dev/zero >"$tree/alpha/sub2/three.bin"
winTree=$(e2e_winpath "$tree")
host_installed "$work"

# expect_size NAME POSITION BYTES: the worker's total for the entry at that position.
expect_size() {
  tr -d '\r' <"$QUILLO_ARTIFACTS/$1.trace" | grep -q "size position=$2 bytes=$3 path=" ||
    e2e_fail "$1: position $2 is not $3 bytes: $(grep -o 'size position=.*' "$QUILLO_ARTIFACTS/$1.trace" | tr '\n' ' ')"
}

# expect_drawn NAME ENTRY TEXT: the column showed TEXT for the entry when last drawn.
expect_drawn() {
  local got
  got=$(tr -d '\r' <"$QUILLO_ARTIFACTS/$1.trace" | grep "draw-size name=$2 text=" | tail -1 | sed 's/.* text=//')
  [ "$got" = "$3" ] || e2e_fail "$1: $2 shows [$got], wanted [$3]"
}

walk="down;right;wait:1500;dump;shot:%s;escape;escape;escape"
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  units=3; [ "$bits" = 64 ] && units=0
  host_options "$work/data/Options.lcf" menuPosition=2 sizeInfoShown=1 sizeInfoStartDisabled=0 sizeUnits=$units toolTipsEnabled=0
  name=sizes$bits
  host_show $bits "$name" "$(printf "$walk" "$name")" --context "$winTree\\alpha"
  # Level 0: sub, sub2, big.bin, zero.txt, a separator, the parent folder.
  expect_size "$name" 0 6000
  expect_size "$name" 1 3000
  expect_size "$name" 2 1536
  expect_size "$name" 3 0
  expect_size "$name" 5 10536
  if [ "$units" = 3 ]; then
    expect_drawn "$name" sub "5,85 KB"; expect_drawn "$name" sub2 "2,92 KB"
    expect_drawn "$name" big.bin "1,50 KB"; expect_drawn "$name" zero.txt "0"
  else
    expect_drawn "$name" sub "5 KB"; expect_drawn "$name" sub2 "2 KB"
    expect_drawn "$name" big.bin "1 KB"; expect_drawn "$name" zero.txt "0 KB"
  fi
  grep -q 'draw-size name=Recent' "$QUILLO_ARTIFACTS/$name.trace" && e2e_fail "$name: Recent has a size"
  grep -q 'teardown' "$QUILLO_ARTIFACTS/$name.trace" || e2e_fail "$name: no teardown"
  echo "ok: $name"
done

# Off, and on in the file but switched off at every start: nothing computed, nothing drawn.
for setting in "sizeInfoShown=0 sizeInfoStartDisabled=0" "sizeInfoShown=1 sizeInfoStartDisabled=1"; do
  host_options "$work/data/Options.lcf" menuPosition=2 toolTipsEnabled=0 $setting
  host_show 32 nosizes32 "$(printf "$walk" nosizes32)" --context "$winTree\\alpha"
  trace=$QUILLO_ARTIFACTS/nosizes32.trace
  grep -q 'fill level=0 ' "$trace" || e2e_fail "$setting: the menu was not shown"
  grep -Eq 'size position=|draw-size' "$trace" && e2e_fail "$setting: sizes were computed or drawn"
  echo "ok: no sizes with $setting"
done


# The middle button switches the column for the submenus opened after it: off at the start, on
# after a click in level 0 (sub's submenu shows one.bin's size), off again after a click in that
# submenu (inner's submenu shows none). The submenus are opened by keys: a highlight made by the
# keyboard does not depend on where Wine believes the resting pointer is.
host_options "$work/data/Options.lcf" menuPosition=2 toolTipsEnabled=0 sizeInfoShown=0 sizeUnits=3
host_show 32 middle32 \
  "down;right;await:2;wait:300;pmclick:1,0;wait:800;await:2;down;up;right;await:3;wait:1200;pmclick:2,0;wait:800;await:3;down;up;right;await:4;wait:1200;dump;escape;escape;escape;escape" \
  --context "$winTree\\alpha"
trace=$QUILLO_ARTIFACTS/middle32.trace
[ "$(tr -d '\r' <"$trace" | grep ' toggle ' | sed 's/.* sizes=\([0-9]\).*/\1/' | tr -d '\n')" = 10 ] ||
  e2e_fail "middle32: not switched on and off: $(grep ' toggle ' "$trace")"
host_filled "$trace" 2 | grep -qx two.bin || e2e_fail "middle32: inner's submenu was not opened"
before=$(tr -d '\r' <"$trace" | awk '/ toggle /{exit} /draw-size/')
[ -z "$before" ] || e2e_fail "middle32: sizes drawn before the click: $before"
expect_drawn middle32 one.bin "3,90 KB"
grep -q 'draw-size name=two.bin' "$QUILLO_ARTIFACTS/middle32.trace" && e2e_fail "middle32: sizes drawn after the second click"
echo "ok: the middle button switches sizes for the next submenus"
