# A right click on an entry of the extension's menus with both DLLs: the shell's own context
# menu for that entry appears over frozen pictures of the menus, without Quillo's entry in it;
# once it is closed the next right-click in the same process offers Quillo again. Wine's shell
# menu asks no registered handlers, so the stand-in asks a new Quillo handler itself while that
# menu is up, as Explorer does when it builds it ("nested-query"): it must add nothing then, and
# add Quillo again once the menu has ended.
# Screenshots: entrymenu32.png, entrymenu64.png. (Without a window manager Wine waits about two
# seconds for each frozen window to disappear, hence the long linger.)
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/docs/sub"
echo note >"$work/tree/docs/note.txt"
winDocs=$(e2e_winpath "$work/tree/docs")
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  host_show $bits "entrymenu$bits" \
    "down;right;await:2;prclick:1,1;wait:1000;nested-query;dump;shot:entrymenu$bits;escape-menus;nested-query:2" \
    --linger 9000 --repeat 2 --context "$winDocs"
  out=$QUILLO_ARTIFACTS/entrymenu$bits.txt
  trace=$QUILLO_ARTIFACTS/entrymenu$bits.trace
  # The first dump is the shell's menu for note.txt alone: the extension's menus are gone.
  first=$(awk '/^menu /{m++} m>=1 && !/^menu / && /^menuitem/{print} /^step "shot/{exit}' "$out")
  [ "$(awk '/^step "dump"/{d=1} d && /^menu /{n++} /^step "shot/{print n+0; exit}' "$out")" = 1 ] ||
    e2e_fail "$bits: not exactly one menu on screen: $(grep '^menu ' "$out")"
  grep -q 'text="Open"\|text="&Open"' <<<"$first" || e2e_fail "$bits: no shell verbs in the entry's menu: $first"
  grep -q 'Quillo' <<<"$first" && e2e_fail "$bits: the entry's shell menu offers Quillo: $first"
  grep -q 'entry-menu chosen=0' "$trace" || e2e_fail "$bits: the entry menu did not end"
  nested=$(grep '^nested query' "$out" | sed 's/ waited_ms=.*//')
  [ "$nested" = "$(printf 'nested query code=%s\n' '0 quillo=no' '2 quillo=yes' '0 quillo=no' '2 quillo=yes')" ] ||
    e2e_fail "$bits: handlers asked during and after the entry menu: $nested"
  # Both invocations inserted the entry: the busy flag was clear again for the second one.
  [ "$(grep -c '^query hr=0x00000002 code=2' "$out")" = 2 ] || e2e_fail "$bits: the second right-click lacks Quillo"
  echo "ok: $bits"
done
