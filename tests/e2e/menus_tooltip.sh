# Tool tips with both DLLs in the Explorer stand-in, driven by the mouse: resting on a folder
# shows a "QuilloToolTipWnd" window near the pointer with its name, the folder it is in, its type
# and the running counts of the count thread (hidden files counted, hidden system files counted
# apart); moving on to a file shows its size; the window goes when the menus close. Special
# entries get no tip, and with tool tips off there are none. Screenshots: tooltip-folder32.png,
# tooltip-file32.png and the 64-bit ones.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/alpha/sub/inner"
head -c 1536 /dev/zero >"$tree/alpha/big.bin"
head -c 512 /dev/zero >"$tree/alpha/sub/one.txt"
head -c 1024 /dev/zero >"$tree/alpha/sub/inner/two.txt"
head -c 100 /dev/zero >"$tree/alpha/sub/os.sys"
winTree=$(e2e_winpath "$tree")
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2 toolTipSpeed=5
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  # The hidden system attributes are set from inside Wine (a Unix file has none), one at a time
  # (Wine's attrib takes one per call).
  for flag in +h +s; do wine cmd /c attrib $flag "$(e2e_winpath "$tree/alpha/sub/os.sys")" </dev/null >/dev/null 2>&1; done
  name=tooltip$bits
  host_show $bits "$name" \
    "point:0,2;wait:300;point:0,0;rest:900;point:1,0;rest:1500;dump;shot:tooltip-folder$bits;point:1,1;rest:1200;dump;shot:tooltip-file$bits;point:1,4;rest:1000;dump;escape-menus;escape;escape;escape;wait:600;dump" \
    --context "$winTree\\alpha"
  out=$QUILLO_ARTIFACTS/$name.txt
  trace=$(tr -d '\r' <"$QUILLO_ARTIFACTS/$name.trace")
  tab=$'\t'
  # The folder: name, the folder holding it, type, then the counts when the thread ended.
  grep -qF "tooltip shown [Name: ${tab}sub] [Path: ${tab}$winTree\\alpha] [Type: ${tab}Folder]" <<<"$trace" ||
    e2e_fail "$name: no folder tip: $(grep tooltip <<<"$trace" | head -3)"
  grep -qF "[Size: ${tab}612 bytes] [      ${tab}1 File, 1 Folder, 1 Hidden protected OS item] [Total:${tab}1,59 KB (1.636 bytes)] [      ${tab}2 Files, 1 Folder, 1 Hidden protected OS item]" <<<"$trace" ||
    e2e_fail "$name: folder counts wrong: $(grep 'tooltip counts' <<<"$trace" | tail -1)"
  grep -qF "tooltip shown [Name: ${tab}big.bin] [Path: ${tab}$winTree\\alpha] [Type: ${tab}File] [Size: ${tab}1,50 KB (1.536 bytes)]" <<<"$trace" ||
    e2e_fail "$name: no file tip: $(grep 'tooltip shown' <<<"$trace" | tail -1)"
  # The window as the stand-in sees it: one visible tip after each hover, none after closing.
  tips=$(awk '/^menu /{m = 1} /^tooltip /{print}' "$out")
  [ "$(grep -c 'visible=yes' <<<"$tips")" -ge 2 ] || e2e_fail "$name: tip window not seen: [$tips]"
  last=$(awk '/^track result/{done = 1} done && /^tooltip /' "$out")
  [ -z "$last" ] || e2e_fail "$name: a tip window survives the menus: $last"
  grep -Eq "tooltip (shown|counts) \[Name: ${tab}(Recent|Favorites)" <<<"$trace" && e2e_fail "$name: a special entry has a tip"
  [ "$(grep -c 'tooltip shown' <<<"$trace")" -le "$(grep -c 'tooltip hidden' <<<"$trace")" ] ||
    e2e_fail "$name: a tip was not hidden"
  grep -q 'teardown' <<<"$trace" || e2e_fail "$name: no teardown"
  echo "ok: $name"
done

# With tool tips off, resting on an entry shows none.
host_options "$work/data/Options.lcf" menuPosition=2 toolTipSpeed=5 toolTipsEnabled=0
host_show 32 notips32 "point:0,2;wait:300;point:0,0;rest:900;point:1,1;rest:1200;dump;escape-menus;escape;escape" \
  --context "$winTree\\alpha"
grep -q 'fill level=0 ' "$QUILLO_ARTIFACTS/notips32.trace" || e2e_fail "notips32: the menu was not shown"
grep -q ' tooltip ' "$QUILLO_ARTIFACTS/notips32.trace" && e2e_fail "notips32: a tip with tool tips off"
grep -q '^tooltip ' "$QUILLO_ARTIFACTS/notips32.txt" && e2e_fail "notips32: a tip window with tool tips off"
echo "ok: no tips when they are off"
