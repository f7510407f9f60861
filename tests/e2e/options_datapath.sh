#!/bin/bash
# "-WAITFORDATAPATH": the program waits while its data folder cannot be created and starts as
# soon as it can; the folder is seeded from the install folder's "Init" tree without replacing.
# Its tray icon's menu quits the wait.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_datapath
mkdir -p "$OPT_DIR/install/Init/sub"
echo seeded >"$OPT_DIR/install/Init/Seed.lcf"
echo nested >"$OPT_DIR/install/Init/sub/Nested.lcf"
echo kept >"$OPT_DIR/install/Init/Kept.lcf"

# The data folder lies below a file, so it cannot be created until that file is gone.
touch "$OPT_DIR/blocker"
OPT_DATA=$OPT_DIR/blocker/data
OPT_OPTIONS=$OPT_DATA/Options.lcf
opt_write_record 1326
opt_start -WAITFORDATAPATH
sleep 3
drive expect-count 1001 0
# The folder appears at once, holding a file of the user's that seeding must not replace.
mkdir -p "$OPT_DIR/staging/data/sub"
echo mine >"$OPT_DIR/staging/data/Kept.lcf"
rm "$OPT_DIR/blocker"
mv "$OPT_DIR/staging" "$OPT_DIR/blocker"
drive find 1001 20000
expect "options written once the folder exists" "$(opt_size "$OPT_OPTIONS")" 2516
expect "Init file seeded" "$(cat "$OPT_DATA/Seed.lcf")" seeded
expect "Init sub-folder seeded" "$(cat "$OPT_DATA/sub/Nested.lcf" 2>/dev/null)" nested
expect "existing file not replaced" "$(cat "$OPT_DATA/Kept.lcf")" mine
drive find 1001 5000 click 2
opt_wait
expect "exit code" "$OPT_EXIT" 0

# While it waits, its tray icon offers "Quit Quillo": choosing it ends the start with 0 and
# writes nothing.
touch "$OPT_DIR/blocker2"
OPT_DATA=$OPT_DIR/blocker2/data
opt_write_record 1326
opt_start -WAITFORDATAPATH
sleep 3
tray=$(xdotool search --name "Wine System Tray" 2>/dev/null | head -1)
if [ -n "$tray" ]; then
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 9)) $((Y + 10)) click 1
  sleep 1
  shot options_tray_menu
  drive choose-menu-item 0 10000
  opt_wait
  expect "Quit from the tray: exit code" "$OPT_EXIT" 0
  expect "Quit from the tray creates no folder" "$(stat -c %F "$OPT_DIR/blocker2")" "regular empty file"
else
  echo "FAIL: no system tray window to click"
  OPT_FAILURES=$((OPT_FAILURES + 1))
  kill "$OPT_PID" 2>/dev/null
fi

# "-QUIT" wins over "-WAITFORDATAPATH": the start ends at once, without waiting for the folder.
touch "$OPT_DIR/blocker3"
OPT_DATA=$OPT_DIR/blocker3/data
opt_write_record 1326
started=$SECONDS
opt_start -WAITFORDATAPATH -QUIT
opt_wait
expect "-QUIT with -WAITFORDATAPATH: exit code" "$OPT_EXIT" 0
expect "-QUIT with -WAITFORDATAPATH ends without waiting" "$(( SECONDS - started < 15 ))" 1
expect "-QUIT with -WAITFORDATAPATH creates no folder" "$(stat -c %F "$OPT_DIR/blocker3")" "regular empty file"
opt_finish
