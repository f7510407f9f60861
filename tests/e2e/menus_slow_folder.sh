# A slow folder left at once, with both DLLs: the pointer rests on "huge" (20,000 files, whose
# listing takes Wine seconds) for 80 ms and moves on to "small". The menu thread gives the
# listing up within half a second of the move: the level stays empty, the busy cursor goes back
# to normal, "small" is highlighted and the menus stay up until Escape. (Levels are opened by
# keys first: the first level opened by pointing races Wine's late pointer read-back.)
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/top/huge" "$work/tree/top/small"
(cd "$work/tree/top/huge" && seq -f "h%.0f.txt" 1 20000 | xargs touch)
: >"$work/tree/top/small/only.txt"
winTop=$(e2e_winpath "$work/tree/top")
host_installed "$work"
host_options "$work/data/Options.lcf" menuPosition=2

# tick TRACE PATTERN: the tick count of the first trace line matching PATTERN after the pointer
# reached huge.
tick() { tr -d '\r' <"$1" | awk -v p="$2" '/ highlight item=0x00000000 position=0 mouse=1/{on = 1} on && $0 ~ p {print $1; exit}'; }

# Level 0 of top: huge, small, separator, the parent folder, Recent, Favorites.
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  name=slow$bits
  trace=$QUILLO_ARTIFACTS/$name.trace
  host_show $bits $name "down;right;await:2;point:1,1;wait:600;point:1,0;wait:80;point:1,1;wait:1200;dump;escape;escape;escape" \
    --context "$winTop"
  out=$QUILLO_ARTIFACTS/$name.txt
  reached=$(tick "$trace" ' level-start level=1')
  [ -n "$reached" ] || e2e_fail "$name: huge was not opened: $(grep -E 'highlight|level' "$trace" | tr -d '\r')"
  given_up=$(tick "$trace" ' open-level level=1 ')
  tr -d '\r' <"$trace" | awk -v t="$given_up" '$1 == t && / open-level level=1 no-listing/' | grep -q . ||
    e2e_fail "$name: huge was listed, not given up: $(tr -d '\r' <"$trace" | grep ' open-level level=1 ')"
  # The listing had run 80 ms when the pointer moved; the thread was free well within 500 ms.
  waited=$((given_up - reached))
  [ "$waited" -lt 500 ] || e2e_fail "$name: the menu thread waited $waited ms for the slow folder"
  small=$(tick "$trace" ' highlight item=0x00000001 position=1 mouse=1')
  [ -n "$small" ] || e2e_fail "$name: small was not highlighted after huge"
  [ "$(tr -d '\r' <"$trace" | grep 'cursor busy=' | tail -1 | sed 's/.*busy=//')" = 0 ] || e2e_fail "$name: the busy cursor stayed"
  [ "$(awk '/^step "dump"/{d = 1} d && /^menu /' "$out" | wc -l)" -ge 2 ] || e2e_fail "$name: the menus closed"
  grep -q ' teardown hooks=0 subclassed=0' "$trace" || e2e_fail "$name: no clean teardown"
  echo "ok: $name: given up after $waited ms, small highlighted $((small - reached)) ms after huge"
done
