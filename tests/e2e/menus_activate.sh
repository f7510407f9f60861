# Activation through the Explorer stand-in with both DLLs: Enter and a click open a file
# through its association (a logging program registered in the prefix) and a folder through
# alternateFileManager; Ctrl (with Enter or a click) keeps the menus open; Shift opens with "explore"; the opened item
# lands in the recent list and MRU0.lcf; a click on the extension's own entry starts the options
# program from the InstallFolder; a common file dialog that invoked the menu receives the path
# instead. Screenshot: ctrl32.png, ctrl64.png (menus still open).
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
host_installed "$work"
mkdir -p "$work/bin" "$tree/docs/sub"
echo note >"$tree/docs/note.qlog"
host_logging_opener "$work"
manager=$work/bin/manager.exe
explorer=$work/bin/explorer.exe
cp "$logger" "$manager"
cp "$logger" "$explorer"
cp "$logger" "$work/install/Quillo.exe"
winDocs=$(e2e_winpath "$tree/docs")

# Folders "explore" with another copy of the logging program (its
# path unquoted: Wine quotes an "explore" command line once more).
for view in 32 64; do
  for class in Folder Directory; do
    wine reg add "HKCR\\$class\\shell\\explore\\command" /ve /d "$(e2e_winpath "$explorer") \"%1\"" \
      /f /reg:$view </dev/null >/dev/null 2>&1
  done
done

# wait_line FILE TEXT: FILE gets a line containing TEXT within 10 s.
wait_line() {
  for _ in $(seq 50); do
    grep -qF "$2" "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# Level 0 of docs: sub, note.qlog, separator, the parent folder, Recent, Favorites.
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  rm -f "$work"/bin/*.log "$work"/install/*.log "$work"/data/MRU*.lcf
  host_options "$work/data/Options.lcf" menuPosition=2

  host_show $bits "enter$bits" "down;right;await:2;down;return" --linger 2000 --context "$winDocs"
  e2e_check "$bits: Enter opens the file through its association" wait_line "$logger.log" 'docs\note.qlog"'
  e2e_check "$bits: the file lands in MRU0.lcf" test -s "$work/data/MRU0.lcf"
  grep -q 'track result=0' "$QUILLO_ARTIFACTS/enter$bits.txt" || e2e_fail "$bits: the menu chose a command"

  host_show $bits "click$bits" "point:0,2;wait:300;point:0,0;await:2;pclick:1,1" --linger 2000 --context "$winDocs"
  e2e_check "$bits: a click opens the file" wait_line "$logger.log" 'docs\note.qlog"'
  [ "$(grep -c 'note.qlog' "$logger.log")" = 2 ] || e2e_fail "$bits: not opened exactly twice"

  host_show $bits "ctrl$bits" "down;right;await:2;down;ctrl-down;return;ctrl-up;wait:800;dump;shot:ctrl$bits;escape;escape" \
    --linger 1000 --context "$winDocs"
  [ "$(grep -c '^menu ' "$QUILLO_ARTIFACTS/ctrl$bits.txt")" = 2 ] || e2e_fail "$bits: Ctrl+Enter closed the menus"
  e2e_check "$bits: Ctrl+Enter opens the file" wait_line "$logger.log" 'note.qlog'
  [ "$(grep -c 'note.qlog' "$logger.log")" = 3 ] || e2e_fail "$bits: Ctrl+Enter did not open once"

  host_show $bits "ctrlclick$bits" "down;right;await:2;ctrl-down;pclick:1,1;ctrl-up;wait:800;dump;escape;escape" \
    --linger 1000 --context "$winDocs"
  [ "$(grep -c '^menu ' "$QUILLO_ARTIFACTS/ctrlclick$bits.txt")" = 2 ] || e2e_fail "$bits: Ctrl+click closed the menus"
  grep -q 'track result=0' "$QUILLO_ARTIFACTS/ctrlclick$bits.txt" || e2e_fail "$bits: Ctrl+click chose a command"
  for _ in $(seq 25); do [ "$(grep -c 'note.qlog' "$logger.log")" = 4 ] && break; sleep 0.2; done
  [ "$(grep -c 'note.qlog' "$logger.log")" = 4 ] || e2e_fail "$bits: Ctrl+click did not open once"

  host_show $bits "shift$bits" "down;right;await:2;shift-down;return;shift-up" --linger 5000 --context "$winDocs"
  e2e_check "$bits: Shift+Enter explores the folder" wait_line "$explorer.log" 'docs\sub'

  host_options "$work/data/Options.lcf" menuPosition=2 alternateFileManager="$(e2e_winpath "$manager")"
  host_show $bits "manager$bits" "down;right;await:2;return" --linger 2000 --context "$winDocs"
  e2e_check "$bits: a folder opens in the alternate file manager" wait_line "$manager.log" "\"$winDocs\\sub\""
  e2e_check "$bits: the recent list holds the folder" test -s "$work/data/MRU0.lcf"

  host_show $bits "root$bits" "point:0,2;wait:300;point:0,0;wait:300;pclick:0,0" --linger 2000 --context "$winDocs"
  e2e_check "$bits: the root entry starts the options program" wait_line "$work/install/Quillo.exe.log" ''
  [ -s "$work/install/Quillo.exe.log" ] || e2e_fail "$bits: options program not started"
done

# A common file dialog as the invoking window takes the path instead of a launch.
for bits in 32 64; do
  host_register $bits
  rm -f "$logger.log"
  host_options "$work/data/Options.lcf" menuPosition=2
  host_show $bits "dialog$bits" "down;right;await:2;down;return" --linger 2000 --file-dialog --context "$winDocs"
  grep '^dialog' "$QUILLO_ARTIFACTS/dialog$bits.txt" | sed 's/\\\\/\\/g' |
    grep -qF "dialog name=\"$winDocs\\note.qlog\" ok=1" ||
    e2e_fail "$bits: the dialog did not get the path: $(grep '^dialog' "$QUILLO_ARTIFACTS/dialog$bits.txt")"
  [ ! -e "$logger.log" ] || e2e_fail "$bits: the file was launched besides"
  echo "ok: $bits: the file dialog receives the path"
done
