# Tool tips and size scans leave nothing behind, with both DLLs: 100 rounds of right-click, walk
# into a folder with the size column on, rest until the tip of a folder is shown and counted,
# and close, in one stand-in process. Nearly every round shows its tip (the hover delay may be
# missed on a loaded machine) and every tip shown is hidden again; GDI objects, handles, threads
# and private bytes stay flat, no popup survives and every menu is torn down completely. The
# figures are printed.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/alpha/beta/gamma"
for i in $(seq 1 50); do echo "$i" >"$work/tree/alpha/beta/f$i.txt"; done
echo y >"$work/tree/alpha/one.txt"
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2 sizeInfoShown=1 sizeInfoStartDisabled=0 toolTipSpeed=1

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  host_show $bits "tips$bits" "down;right;wait:500;cancel" \
    --rounds 100 --step-ms 20 --context "$(e2e_winpath "$work/tree/alpha")"
  out=$QUILLO_ARTIFACTS/tips$bits.txt
  trace=$QUILLO_ARTIFACTS/tips$bits.trace
  shown=$(grep -c 'tooltip shown' "$trace")
  counted=$(grep -c 'tooltip counts' "$trace")
  echo "figures $bits: rounds=100 tips shown=$shown counted=$counted hidden=$(grep -c 'tooltip hidden' "$trace") sizes=$(grep -c 'size position=' "$trace")"
  [ "$shown" -ge 95 ] || e2e_fail "$bits: only $shown of 100 rounds showed a tip"
  [ "$(grep -c 'tooltip hidden' "$trace")" = "$shown" ] || e2e_fail "$bits: a tip shown was not hidden"
  [ "$shown" = "$(grep -c 'tooltip hidden' "$trace")" ] || e2e_fail "$bits: a tip was not hidden"
  [ "$(grep -c take-over "$trace")" = "$(grep -c 'teardown hooks=0 subclassed=0' "$trace")" ] ||
    e2e_fail "$bits: a menu was not torn down completely"
  host_leak_check "$out" $bits
done
