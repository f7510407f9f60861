#!/bin/bash
# The Favorites editor driven from outside: Add Path, duplicates, separators, the capacity,
# moving and removing lines, OK and Cancel, each checked against the stored "FAV" files.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_subdialogs
mkdir -p "$OPT_DIR/places/Alpha" "$OPT_DIR/places/Beta" "$OPT_DIR/places/Gamma"
places=$(winepath -w "$OPT_DIR/places" 2>/dev/null)
A=$places\\Alpha; B=$places\\Beta; SEP=--------------------------------

opt_start
drive find 1001 20000 settext 1053 3 click-async 1060 find-title Favorites 1059 10000 expect-lines 1059 "" \
  settext 1067 "$A" click 1060 expect-lines 1059 "$A" sleep 3000
shot favorites_editor
opt_finish
