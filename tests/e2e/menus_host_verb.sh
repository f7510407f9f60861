# Explorer's own entries picked after Quillo's entry was in its menu, with both DLLs: the
# stand-in carries the chosen command out as Explorer does (the verb offered to the handler by
# name, which must refuse it, then run by the shell). "Open" clicked while Quillo's submenu is
# up opens the file once through its association; "Properties" reached by keys after Quillo's
# submenu was opened and closed again is what the menu returns. Each time Quillo's menus were
# torn down before the verb ran: no hook left, the owner's window procedure back, the menu
# animation on again. A click on Quillo's own entry starts the options program once; the
# command the menu returns for it does nothing in the handler.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
host_installed "$work"
mkdir -p "$tree/docs/sub"
echo note >"$tree/docs/note.qlog"
host_logging_opener "$work"
cp "$logger" "$work/install/Quillo.exe"
host_options "$work/data/Options.lcf" menuPosition=2
note=$(e2e_winpath "$tree/docs/note.qlog")

# pick BITS NAME SCRIPT ID VERB: SCRIPT picks the host's entry ID (verb VERB) after Quillo's
# submenu was shown. The menu returns it, the handler refuses the verb, and the menu's end had
# removed every hook and restored the window and the animation before the stand-in went on.
pick() {
  local bits=$1 name=$2 script=$3 id=$4 verb=$5
  local out=$QUILLO_ARTIFACTS/$name.txt trace=$QUILLO_ARTIFACTS/$name.trace
  host_show $bits $name "$script" --animation on --linger 1500 --context "$note"
  grep -q "^track result=$id\$" "$out" || e2e_fail "$name: $verb not returned: $(grep '^track' "$out")"
  grep -q "^invoke verb=$verb hr=0x80004005\$" "$out" || e2e_fail "$name: $(grep '^invoke' "$out")"
  grep -q 'fill level=0 ' "$trace" || e2e_fail "$name: Quillo's submenu was not shown"
  [ "$(grep -c ' teardown ' "$trace")" = 1 ] || e2e_fail "$name: not torn down once: $(grep teardown "$trace")"
  grep -q ' teardown hooks=0 subclassed=0' "$trace" || e2e_fail "$name: $(grep teardown "$trace")"
  grep -q '^after-menu wndproc=restored animation=on' "$out" || e2e_fail "$name: $(grep after-menu "$out")"
}

# Host menu with menuPosition 2: Quillo, separator, Open, Explore, separator, Properties.
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  rm -f "$logger.log" "$work/install/Quillo.exe.log"

  pick $bits open$bits "point:0,3;wait:300;point:0,0;await:2;wait:300;pclick:0,2" 1 open
  grep -q '^host-verb verb=open ok=1$' "$QUILLO_ARTIFACTS/open$bits.txt" ||
    e2e_fail "open$bits: $(grep '^host-verb' "$QUILLO_ARTIFACTS/open$bits.txt")"
  for _ in $(seq 25); do [ -s "$logger.log" ] && break; sleep 0.2; done
  [ "$(grep -c 'note.qlog' "$logger.log" 2>/dev/null)" = 1 ] || e2e_fail "open$bits: the file was not opened once"
  echo "ok: open$bits"

  pick $bits properties$bits "down;right;await:2;left;down;down;down;return" 3 properties
  [ "$(grep -c 'note.qlog' "$logger.log")" = 1 ] || e2e_fail "properties$bits: the file was opened"
  echo "ok: properties$bits"
done

# The root entry clicked: the options program starts once; the id the menu may return for the
# entry is refused by the handler.
name=root32
host_show 32 $name "point:0,3;wait:300;point:0,0;wait:300;pclick:0,0" --animation on --linger 2000 \
  --context "$note"
out=$QUILLO_ARTIFACTS/$name.txt
for _ in $(seq 25); do [ -s "$work/install/Quillo.exe.log" ] && break; sleep 0.2; done
[ "$(cat "$work/install/Quillo.exe.log" 2>/dev/null | wc -l)" = 1 ] || e2e_fail "$name: options program not started once"
grep -E '^invoke' "$out" | grep -qv 'hr=0x80004005' && e2e_fail "$name: $(grep '^invoke' "$out")"
grep -q '^after-menu wndproc=restored animation=on' "$out" || e2e_fail "$name: $(grep after-menu "$out")"
echo "ok: $name ($(grep -E '^track|^invoke' "$out" | tr '\n' ' '))"
