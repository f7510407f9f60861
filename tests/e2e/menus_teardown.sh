# Teardown leaves nothing behind, with both DLLs: 200 rounds of right-click, walk two levels
# deep and close in one stand-in process. GDI objects, kernel handles, threads and private
# bytes stay flat, no popup handed out survives, the window procedure of the menu's owner is restored after every menu,
# the menu animation setting is the same after every menu, and every teardown leaves no hook
# installed and the window no longer subclassed. Each walk waits for the level it opened, so
# every round walks. No thread outlives its menu. The figures are printed.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/alpha/beta/gamma"
echo x >"$work/tree/alpha/one.txt"
echo y >"$work/tree/alpha/beta/two.txt"
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  host_show $bits "cycles$bits" "down;right;await:2;right;await:3;cancel" \
    --rounds 200 --step-ms 20 --context "$(e2e_winpath "$work/tree/alpha")"
  out=$QUILLO_ARTIFACTS/cycles$bits.txt
  trace=$QUILLO_ARTIFACTS/cycles$bits.trace
  walked=$(grep -c 'open-level level=1 ' "$trace")
  echo "figures $bits: rounds=200 menus taken over=$(grep -c take-over "$trace") walked two levels=$walked"
  [ "$walked" = 200 ] || e2e_fail "$bits: only $walked of 200 rounds walked two levels"
  [ "$(grep -c take-over "$trace")" = "$(grep -c 'teardown hooks=0 subclassed=0' "$trace")" ] ||
    e2e_fail "$bits: a menu was not torn down completely"
  [ "$(grep -c 'after-menu wndproc=restored' "$out")" = 200 ] || e2e_fail "$bits: window procedure not restored"
  [ "$(grep '^after-menu' "$out" | sort -u | wc -l)" = 1 ] || e2e_fail "$bits: menu animation setting changed"
  host_leak_check "$out" $bits
done

# Every invocation leaves the system as it found it, whether or not a menu of ours was shown:
# a menu closed before anything was highlighted, a drop closed the same way, a double-click
# (default verb only), a right-click with the Windows key down, a selection without items and a
# drop of virtual objects. Menu animation is on at the start and after every call, and every
# menu the hooks were installed for is torn down (no hook left for the next right-click).
for bits in 32 64; do
  host_show $bits "refused$bits" "" --rounds 24 --step-ms 20 --animation on \
    --case "menu:escape" --case defaultonly --case winkey --case nodata --case virtualdrop \
    --case "drop:escape" --drop-case "$(e2e_winpath "$work/tree")" "$(e2e_winpath "$work/tree/alpha/one.txt")" \
    --context "$(e2e_winpath "$work/tree/alpha")"
  out=$QUILLO_ARTIFACTS/refused$bits.txt
  trace=$QUILLO_ARTIFACTS/refused$bits.trace
  installed=$(grep -c 'hooks installed' "$trace") torn=$(grep -c 'teardown hooks=0 subclassed=0' "$trace")
  echo "figures $bits: calls=$(grep -c '^after-call' "$out") hooks installed=$installed menus torn down=$torn" \
    "animation after calls: $(grep '^after-call' "$out" | sort | uniq -c | tr -s ' ' | tr '\n' ' ')"
  [ "$(grep -c '^after-call animation=on' "$out")" = 24 ] || e2e_fail "$bits: menu animation left off"
  if grep -q 'animation=off' "$out"; then e2e_fail "$bits: menu animation off after a menu"; fi
  [ "$installed" = 8 ] || e2e_fail "$bits: hooks installed for $installed of 8 menus"
  [ "$torn" = "$installed" ] || e2e_fail "$bits: $torn teardowns for $installed menus"
  if grep -q 'hooks left over' "$trace"; then e2e_fail "$bits: hooks left installed after a menu"; fi
done
echo "ok: every call leaves animation and hooks as they were"
