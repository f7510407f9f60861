# A level abandoned while it is filled, with both DLLs: the left button is pressed on a file of a
# paged folder and, held, dragged onto "More...". Its continuation comes from the listing the
# first level already holds, so it is filled at once, with the button down: the fill gives up,
# the level is dropped, the busy cursor goes back to normal. Letting the button go on "More..."
# then opens the folder (here in the alternate file manager) and closes the menus.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/tree/long" "$work/bin"
for i in $(seq -w 1 60); do : >"$work/tree/long/file$i.txt"; done
winLong=$(e2e_winpath "$work/tree/long")
host_installed "$work"
manager=$work/bin/manager.exe
cp "$QUILLO_BUILD/win32/tests/explorer_host/log_args.exe" "$manager"
host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=0 toolTipsEnabled=0 \
  alternateFileManager="$(e2e_winpath "$manager")"

# The page's length: files, a separator, "More...".
e2e_check "register Quillo32" host_register 32
host_show 32 page "down;right;await:2;escape;escape" --context "$winLong"
items=$(sed -n 's/.* open-level level=0 first=0 items=\([0-9]*\).*/\1/p' "$QUILLO_ARTIFACTS/page.trace" | head -1)
[ "$(host_filled "$QUILLO_ARTIFACTS/page.trace" 0 | tail -1)" = More... ] || e2e_fail "the folder is not paged"
more=$((items - 1))

for bits in 32 64; do
  [ "$bits" = 64 ] && { e2e_check "register Quillo64" host_register 64; }
  rm -f "$manager.log"
  name=drag$bits
  trace=$QUILLO_ARTIFACTS/$name.trace
  host_show $bits $name "down;right;await:2;ppress:1,0;wait:300;point:1,$more;wait:600;release" --linger 2000 \
    --context "$winLong"
  tr -d '\r' <"$trace" | grep -q " open-level level=1 first=[0-9]* items=-1" ||
    e2e_fail "$name: the fill was not given up: $(tr -d '\r' <"$trace" | grep ' open-level ')"
  tr -d '\r' <"$trace" | grep -Eq " open-level level=1 first=[0-9]+ items=[0-9]" && e2e_fail "$name: a continuation was filled"
  [ "$(tr -d '\r' <"$trace" | grep 'cursor busy=' | tail -1 | sed 's/.*busy=//')" = 0 ] || e2e_fail "$name: the busy cursor stayed"
  for _ in $(seq 25); do [ -s "$manager.log" ] && break; sleep 0.2; done
  grep -qF "\"$winLong\"" "$manager.log" 2>/dev/null || e2e_fail "$name: the folder was not opened: $(cat "$manager.log" 2>/dev/null)"
  grep -q ' teardown hooks=0 subclassed=0' "$trace" || e2e_fail "$name: no clean teardown"
  echo "ok: $name"
done
