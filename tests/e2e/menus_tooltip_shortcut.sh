# Tool tips of shortcuts with both DLLs: resting on a shortcut to a file describes the target:
# its name, the folder it is in, the kind "Shortcut" and the target's size; resting on a
# shortcut to a folder names that folder and where it is, and counts the folder's contents.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/docs" "$tree/other/sub"
head -c 1536 /dev/zero >"$tree/other/big.bin"
head -c 100 /dev/zero >"$tree/other/sub/one.txt"
head -c 200 /dev/zero >"$tree/other/sub/two.txt"
winTree=$(e2e_winpath "$tree")
host_run 32 --write-shortcut "$winTree\\docs\\to big.lnk" "$winTree\\other\\big.bin" ||
  e2e_fail "shortcut to the file not made"
host_run 32 --write-shortcut "$winTree\\docs\\to sub.lnk" "$winTree\\other\\sub" ||
  e2e_fail "shortcut to the folder not made"
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2 toolTipSpeed=5
tab=$'\t'

# Level 0 of docs: the folder shortcut, the file shortcut, separator, parent, Recent, Favorites.
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  name=shortcut$bits
  host_show $bits $name "down;right;await:2;point:1,1;rest:1200;point:1,0;rest:1500;escape-menus;escape;escape" \
    --context "$winTree\\docs"
  trace=$(tr -d '\r' <"$QUILLO_ARTIFACTS/$name.trace")
  filled=$(host_filled "$QUILLO_ARTIFACTS/$name.trace" 0 | head -2 | tr '\n' '|')
  [[ "$filled" == "to sub"*"|to big"*"|" ]] || e2e_fail "$name: level 0 starts [$filled]"
  grep -qF "tooltip shown [Name: ${tab}big.bin] [Path: ${tab}$winTree\\other] [Type: ${tab}Shortcut] [Size: ${tab}1,50 KB (1.536 bytes)]" <<<"$trace" ||
    e2e_fail "$name: the file shortcut's tip: $(grep 'tooltip shown' <<<"$trace" | head -1)"
  grep -qF "tooltip counts [Name: ${tab}sub] [Path: ${tab}$winTree\\other] [Type: ${tab}Shortcut] [Size: ${tab}300 bytes] [      ${tab}2 Files, 0 Folders]" <<<"$trace" ||
    e2e_fail "$name: the folder shortcut's tip: $(grep 'tooltip' <<<"$trace" | grep -v 'big.bin' | tail -2)"
  echo "ok: $name"
done
