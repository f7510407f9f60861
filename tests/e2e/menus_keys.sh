# Keys and buttons inside the extension's menus with both DLLs. H, P, S, U and the middle
# button switch view options: the submenu the user is in closes and reopens rebuilt (hidden
# items appear), and the options file holds the new values at once; U four times comes back
# to the start. C copies the highlighted file's name to the clipboard, Shift+C the full paths
# of a folder's children, sorted by name, or in the order of the folder's open Explorer window
# when there is one (one whose thread does not answer is given up on). Arrow keys still move
# through the menus. Screenshots: keys32.png, keys64.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/alpha/beta"
echo 1 >"$tree/alpha/one.txt"
echo s >"$tree/alpha/.secret.txt"  # a dot file is hidden under Wine
for f in b.txt a.txt C.txt; do echo "$f" >"$tree/alpha/beta/$f"; done
winAlpha=$(e2e_winpath "$tree/alpha")
host_installed "$work"
options=$work/data/Options.lcf
reset_options() {
  host_options "$options" menuPosition=2 includeHidden=0 includeSuperHidden=0 sizeInfoShown=0 sizeUnits=1
}
# field OFFSET: the int32 at that offset of the options file.
field() { od -An -td4 -j "$1" -N4 "$options" | tr -d ' '; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  reset_options
  host_show $bits "toggles$bits" \
    "down;right;await:2;key:0x48;wait:700;await:2;key:0x50;wait:700;await:2;key:0x50;wait:700;await:2;key:0x55;wait:500;key:0x55;wait:500;key:0x55;wait:500;key:0x55;wait:500;await:2;key:0x53;wait:700;await:2;pmclick:1,0;wait:700;await:2;down;wait:200;dump;shot:keys$bits;escape;escape" \
    --context "$winAlpha"
  out=$QUILLO_ARTIFACTS/toggles$bits.txt
  trace=$QUILLO_ARTIFACTS/toggles$bits.trace
  grep ' toggle ' "$trace"
  # The first filling lacks the hidden file; after H the level is filled again with it.
  [ "$(host_filled "$trace" 0 | head -1)" = beta ] || e2e_fail "$bits: level 0 not rebuilt: $(host_filled "$trace" 0)"
  first=$(tr -d '\r' <"$trace" | awk '/ open-level level=0 /{exit} / fill level=0 /{sub(/.* text=/, ""); print}')
  grep -qx '.secret.txt' <<<"$first" && e2e_fail "$bits: hidden file shown before H"
  host_filled "$trace" 0 | grep -qx '.secret.txt' || e2e_fail "$bits: hidden file not shown after H"
  [ "$(grep -c ' open-level level=0 ' "$trace")" -ge 7 ] || e2e_fail "$bits: toggles did not reopen the level"
  toggles=$(tr -d '\r' <"$trace" | grep ' toggle ' | sed 's/.* toggle //; s/ saved=.*//')
  expected="option=1 hidden=1 protected=0 sizes=0 units=1
option=2 hidden=1 protected=1 sizes=0 units=1
option=2 hidden=1 protected=0 sizes=0 units=1
option=3 hidden=1 protected=0 sizes=0 units=2
option=3 hidden=1 protected=0 sizes=0 units=3
option=3 hidden=1 protected=0 sizes=0 units=0
option=3 hidden=1 protected=0 sizes=0 units=1
option=0 hidden=1 protected=0 sizes=1 units=1
option=0 hidden=1 protected=0 sizes=0 units=1"
  [ "$toggles" = "$expected" ] || e2e_fail "$bits: toggles were [$toggles]"
  # Saved at once: the file holds the last state.
  [ "$(field 0) $(field $((0x978))) $(field $((0x96C))) $(field $((0x974)))" = "1 0 0 1" ] ||
    e2e_fail "$bits: options file holds hidden/protected/sizes/units $(field 0) $(field $((0x978))) $(field $((0x96C))) $(field $((0x974)))"
  # The arrow key after the toggles still reached the menu.
  tr -d '\r' <"$trace" | grep ' highlight ' | tail -1 | grep -q 'highlight item=0x0000[0-9a-f]* position=1 ' || e2e_fail "$bits: Down did not move the highlight"

  reset_options
  host_show $bits "copy$bits" \
    "down;right;await:2;down;key:0x43;wait:200;clipboard;up;shift-down;key:0x43;shift-up;wait:300;clipboard;escape;escape" \
    --context "$winAlpha"
  out=$QUILLO_ARTIFACTS/copy$bits.txt
  grep '^clipboard text=' "$out"
  beta=$(e2e_winpath "$tree/alpha/beta" | sed 's/\\/\\\\/g')  # as the stand-in quotes it
  [ "$(grep '^clipboard text=' "$out" | head -1)" = 'clipboard text="one.txt\r\n"' ] || e2e_fail "$bits: file name not copied"
  [ "$(grep '^clipboard text=' "$out" | sed -n 2p)" = "clipboard text=\"$beta\\\\a.txt\\r\\n$beta\\\\b.txt\\r\\n$beta\\\\C.txt\\r\\n\"" ] ||
    e2e_fail "$bits: folder paths not copied by name"

  host_show $bits "window$bits" \
    "down;right;await:2;key:0x43;wait:300;clipboard;escape;escape" \
    --cabinet beta 'C.txt|a|b.txt' --context "$winAlpha"
  out=$QUILLO_ARTIFACTS/window$bits.txt
  grep '^clipboard text=' "$out"
  [ "$(grep '^clipboard text=' "$out")" = 'clipboard text="C.txt\r\na.txt\r\nb.txt\r\n"' ] ||
    e2e_fail "$bits: names not in the window's order"

  # An Explorer window whose thread does not answer is given up on within its bounded wait:
  # the names come sorted by name, and the menus did not wait for that thread.
  host_show $bits "hung$bits" \
    "down;right;await:2;key:0x43;wait:300;clipboard;escape;escape" \
    --hung-cabinet beta 'C.txt|a|b.txt' 8000 --context "$winAlpha"
  grep '^clipboard' "$QUILLO_ARTIFACTS/hung$bits.txt"
  [ "$(grep '^clipboard text=' "$QUILLO_ARTIFACTS/hung$bits.txt")" = 'clipboard text="a.txt\r\nb.txt\r\nC.txt\r\n"' ] &&
    [ "$(grep '^clipboard unicode=' "$QUILLO_ARTIFACTS/hung$bits.txt")" = 'clipboard unicode="a.txt\r\nb.txt\r\nC.txt\r\n"' ] ||
    e2e_fail "$bits: names not sorted by name beside a window that does not answer"
  echo "ok: $bits"
done
