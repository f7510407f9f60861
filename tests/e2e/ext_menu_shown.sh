# The context menu with the extension's entry shown by the Explorer stand-in with TrackPopupMenu,
# driven by scripted keys and mouse clicks, with screenshots. The extension's hooks sit on the
# menu thread: keys and clicks must still reach the menu (a chosen host entry is returned).
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

host_installation
shots=$QUILLO_ARTIFACTS/shots
mkdir -p "$shots"

# shown BITS NAME SCRIPT: runs the host with the menu shown; answers each screenshot handshake.
shown() {
  local bits=$1 name=$2 script=$3
  host_run "$bits" --shots "$(e2e_winpath "$shots")" --show "$script" --context "$files\\a.txt" \
    >"$QUILLO_ARTIFACTS/$name.txt" &
  local host=$!
  while kill -0 $host 2>/dev/null; do
    for ready in "$shots"/*.ready; do
      [ -e "$ready" ] || continue
      local shot
      shot=$(basename "$ready" .ready)
      import -window root "$QUILLO_ARTIFACTS/${name}_$shot.png"
      rm -f "$ready"
      touch "$shots/$shot.done"
    done
    sleep 0.1
  done
  wait $host
  rm -f "$shots"/*.done
  cat "$QUILLO_ARTIFACTS/$name.txt"
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits

  # Point at the extension's entry (position 2), take a picture, close the menu.
  out=$(shown $bits shown$bits 'item:2;wait:300;shot:entry;escape;escape')
  grep -q '^query hr=0x00000002' <<<"$out" || e2e_fail "Quillo$bits: entry not inserted"
  grep -q '^msg name=WM_ENTERMENULOOP' <<<"$out" || e2e_fail "Quillo$bits: no menu loop"
  grep -q '^msg name=WM_ENTERIDLE first=yes' <<<"$out" || e2e_fail "Quillo$bits: menu never idle"
  grep -q '^msg name=WM_MENUSELECT wparam=0x[0-9a-f]*0064 ' <<<"$out" ||
    grep -q '^msg name=WM_MENUSELECT wparam=0x[0-9a-f]*0002 ' <<<"$out" ||
    e2e_fail "Quillo$bits: pointing at the entry did not select it"
  grep -q '^msg name=WM_EXITMENULOOP' <<<"$out" || e2e_fail "Quillo$bits: menu loop did not end"
  grep -q '^track result=0' <<<"$out" || e2e_fail "Quillo$bits: escape chose an entry"
  [ -s "$QUILLO_ARTIFACTS/shown${bits}_entry.png" ] || e2e_fail "Quillo$bits: no screenshot"
  echo "ok: Quillo$bits menu shown, entry selected by pointing, screenshot taken"

  # Keys pass the keyboard hook: the first entry ("Open", 1) is chosen with Down and Return.
  out=$(shown $bits keys$bits 'down;return')
  grep -q '^track result=1$' <<<"$out" || e2e_fail "Quillo$bits: keys did not reach the menu"
  echo "ok: Quillo$bits keys reach the menu"

  # Clicks pass the mouse hook: a click on "Properties" (position 4) chooses it (3).
  out=$(shown $bits click$bits 'item:4;wait:200;shot:properties;click_item:4')
  grep -q '^track result=3$' <<<"$out" || e2e_fail "Quillo$bits: the click did not reach the menu"
  echo "ok: Quillo$bits clicks reach the menu"
done
