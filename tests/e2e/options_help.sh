#!/bin/bash
# Help, About and the program pickers.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_help
manual=$(winepath -w "$OPT_DIR/install" 2>/dev/null)\\Quillo.chm

opt_start
drive find 1001 20000 click-async 1007 find 50102 10000 \
  expect-text 50102 "Could not find the manual \"$manual\".\\nPlease reinstall the program." click 1
# With the manual beside the program, Help opens it at "Options.htm" in the .chm viewer.
chm=$QUILLO_BUILD/host/manual/Quillo.chm
if [ -f "$chm" ]; then
  cp "$chm" "$OPT_DIR/install/"
  drive find 1001 5000 click-async 1007 find-window "HH Parent" Quillo 20000
  shot options_manual
  viewer=$(pgrep -af 'hh\.exe' | grep -ic 'install\\Quillo.chm::/Options.htm')
  expect "viewer opened at Options.htm" "$viewer" 1
  drive find-window "HH Parent" Quillo 5000 close
else
  echo "FAIL: $chm is missing (build the host tree)"
  OPT_FAILURES=$((OPT_FAILURES + 1))
fi

drive find 1001 5000 click-async 1004 find 51006 10000 expect-text 51002 "Quillo v5.3.3"
shot options_about
drive find 51006 5000 click 1
# The program pickers: the chosen file, quoted, with "%1" for the unknown-type command.
program=$(winepath -w "$OPT_DIR/install/Quillo.exe" 2>/dev/null)
drive find 1001 5000 click-async 1005 find-title Open 1 20000 sleep 500
shot options_program_picker
drive find-title Open 1 5000 settext 1148 "$program" click 1 find 1001 5000 \
  expect-text 1019 "\"$program\" \"%1\""
drive find 1001 5000 click-async 1009 find-title Open 1 20000 settext 1148 "$program" click 1 \
  find 1001 5000 expect-text 1021 "\"$program\""
drive find 1001 5000 click 2
opt_wait
expect "exit code after Cancel" "$OPT_EXIT" 0
opt_finish
