# Explorer is never harmed, with both DLLs: one stand-in process runs rounds that mix every way
# a right-click can go (walk two levels deep and close; close without any highlight; a
# double-click asking for the default verb only; the Windows key held; a selection the shell
# cannot describe; a drop of virtual objects; a drop walked and closed; a menu built and
# destroyed without being shown; a tool tip on a folder being counted; an entry's own context
# menu; Ctrl+Enter opening a file with the menus kept open). Afterwards, judged against the figures after the first full mix: GDI objects, kernel
# handles and threads do not grow, private bytes stay within the calibration's bound, no popup
# handed out survives; every menu was torn down and left no hook; the menu animation, on at
# the start, is on after every call; the process did not crash. Figures are printed.
# The suite runs QUILLO_SOAK_ROUNDS rounds per DLL (default 66, six mixes; rounded up to whole
# mixes); the full soak (1,001 rounds) is
#   QUILLO_SOAK_ROUNDS=1000 QUILLO_E2E_TIMEOUT=7200 tests/e2e/run.sh ext_soak
# (QUILLO_SOAK_BITS="32" or "64" soaks one DLL.)
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

rounds=${QUILLO_SOAK_ROUNDS:-66}
work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/alpha/beta/gamma" "$tree/target" "$work/bin"
for i in $(seq 40); do mkdir -p "$tree/alpha/beta/d$i"; echo "$i" >"$tree/alpha/beta/d$i/f.txt"; done
echo note >"$tree/alpha/note.qlog"
echo drop >"$tree/dropped.txt"
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2 toolTipSpeed=3
# Files of the kind the Ctrl+Enter round opens start a small logging program.
host_logging_opener "$work"

cases=(
  --case "menu:down;right;await:2;right;await:3;cancel"
  --case "menu:escape"
  --case defaultonly
  --case winkey
  --case nodata
  --case virtualdrop
  --case queryonly
  --case "drop:down;right;await:2;escape;escape;escape"
  --case "menu:down;right;await:2;point:1,0;rest:700;cancel"
  --case "menu:down;right;await:2;down;ctrl-down;return;ctrl-up;wait:300;cancel"
  --case "menu:down;right;await:2;prclick:1,1;await-other:1;escape-menus;wait:5000"
)
mix=$(( ${#cases[@]} / 2 ))
rounds=$(( (rounds + mix - 1) / mix * mix ))
hooked=7  # cases per mix that insert entries and hook the thread: menu, drop, queryonly

for bits in ${QUILLO_SOAK_BITS:-32 64}; do
  e2e_check "register Quillo$bits" host_register $bits
  # The entry menu's thread pumps for 60 s after its menu: the figures wait for the last one.
  QUILLO_HOST_TIMEOUT=$((rounds * 4 + 120)) host_show $bits "soak$bits" "" --rounds "$rounds" --warm "$mix" --settle 62000 --step-ms 20 \
    --animation on "${cases[@]}" --drop-case "$(e2e_winpath "$tree/target")" "$(e2e_winpath "$tree/dropped.txt")" \
    --context "$(e2e_winpath "$tree/alpha")"
  out=$QUILLO_ARTIFACTS/soak$bits.txt
  trace=$QUILLO_ARTIFACTS/soak$bits.trace
  grep -q "^leak rounds=$rounds " "$out" || e2e_fail "$bits: the stand-in did not finish its rounds (crash?)"
  installed=$(grep -c 'hooks installed' "$trace") torn=$(grep -c 'teardown hooks=0 subclassed=0' "$trace")
  echo "figures $bits: rounds=$rounds menus=$installed torn down=$torn walked=$(grep -c 'open-level level=1 ' "$trace")" \
    "tips=$(grep -c 'tooltip shown' "$trace") entry menus=$(grep -c 'entry-menu chosen' "$trace")" \
    "opened=$(grep -c 'action opened' "$trace") calls with animation on=$(grep -c '^after-call animation=on' "$out")"
  [ "$installed" = $((rounds / mix * hooked)) ] || e2e_fail "$bits: hooks installed for $installed of $((rounds / mix * hooked)) menus"
  [ "$torn" = "$installed" ] || e2e_fail "$bits: $torn teardowns for $installed menus"
  if grep -q 'hooks left over' "$trace"; then e2e_fail "$bits: hooks left installed after a menu"; fi
  [ "$(grep -c '^after-call animation=on' "$out")" = "$rounds" ] || e2e_fail "$bits: menu animation left off"
  if grep -q 'animation=off' "$out"; then e2e_fail "$bits: menu animation off after a menu"; fi
  grep -q 'tooltip shown' "$trace" || e2e_fail "$bits: no tool tip was shown"
  [ "$(grep -c 'entry-menu chosen' "$trace")" = $((rounds / mix)) ] || e2e_fail "$bits: not every entry menu was shown and closed"
  [ "$(grep -c 'action opened ctrl=1' "$trace")" = $((rounds / mix)) ] || e2e_fail "$bits: not every Ctrl+Enter opened its file"
  host_leak_check "$out" $bits
done
echo "ok: $rounds rounds per DLL"
