# The context menu with the extension's entry shown by the Explorer stand-in with TrackPopupMenu,
# driven by scripted keys and mouse clicks, with screenshots. The extension's hooks sit on the
# menu thread: keys and clicks must still reach the menu (a chosen host entry is returned).
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

host_installation
# The entry moves to the top of the menu, framed by a separator: Quillo, -, Open, Explore, -,
# Properties.
host_options "$work/data/Options.lcf" menuPosition=2

# shown BITS NAME SCRIPT: runs the host with the menu shown (screenshots NAME_<shot>.png) and
# prints its output.
shown() {
  host_show "$1" "$2" "$(sed -E "s/shot:/shot:$2_/g" <<<"$3")" --context "$files\\a.txt"
  cat "$QUILLO_ARTIFACTS/$2.txt"
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits

  # Point at the extension's entry (position 0), take a picture, close the menu.
  out=$(shown $bits shown$bits 'item:0;wait:300;shot:entry;escape;escape')
  grep -q '^query hr=0x00000002' <<<"$out" || e2e_fail "Quillo$bits: entry not inserted"
  grep -q '^msg name=WM_ENTERMENULOOP' <<<"$out" || e2e_fail "Quillo$bits: no menu loop"
  grep -q '^msg name=WM_ENTERIDLE first=yes' <<<"$out" || e2e_fail "Quillo$bits: menu never idle"
  grep -v 'wparam=0xffff0000 ' <<<"$out" |
    grep -Eq '^msg name=WM_MENUSELECT wparam=0x[0-9a-f]*(0064|0000) ' ||
    e2e_fail "Quillo$bits: pointing at the entry did not select it"
  grep -q '^msg name=WM_EXITMENULOOP' <<<"$out" || e2e_fail "Quillo$bits: menu loop did not end"
  grep -q '^track result=0' <<<"$out" || e2e_fail "Quillo$bits: escape chose an entry"
  [ -s "$QUILLO_ARTIFACTS/shown${bits}_entry.png" ] || e2e_fail "Quillo$bits: no screenshot"
  echo "ok: Quillo$bits menu shown, entry selected by pointing, screenshot taken"

  # Keys pass the keyboard hook: "Open" (1), the second entry, is chosen with Down and Return.
  out=$(shown $bits keys$bits 'down;down;return')
  grep -q '^track result=1$' <<<"$out" || e2e_fail "Quillo$bits: keys did not reach the menu"
  echo "ok: Quillo$bits keys reach the menu"

  # Clicks pass the mouse hook: a click on "Properties" (position 5) chooses it (3).
  out=$(shown $bits click$bits 'item:5;wait:200;shot:properties;click_item:5')
  grep -q '^track result=3$' <<<"$out" || e2e_fail "Quillo$bits: the click did not reach the menu"
  echo "ok: Quillo$bits clicks reach the menu"
done
