#!/bin/bash
# The Colors dialog driven from outside: check boxes, swatches and the system colour chooser,
# OK and Cancel, checked against the colour fields of "Options".
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_subdialogs_colors
COLORS=0x97C

opt_start
# Colors: check boxes and swatches; a colour chosen in the system chooser is stored with OK.
drive find 1001 20000 click-async 1068 find-title Colors 1065 10000 expect-check 1065 0 expect-check 1083 0 \
  click 1065 click 1083 mouse-click 1066 find-title Color 706 10000 settext 706 10 settext 707 20 settext 708 30
shot color_chooser
drive find-title Color 706 5000 click 1 find-title Colors 1065 5000 sleep 300
shot colors_dialog
drive find-title Colors 1065 5000 click 1 find 1001 5000 click 3
expect "background: custom unselected flag, not the selected one" "$(opt_hex $COLORS 8)" "0100000000000000"
expect "background colour chosen" "$(opt_hex $((COLORS + 8)) 4)" "0a141e00"
expect "submenu open area: custom selected flag" "$(opt_hex $((COLORS + 0x24)) 4)" "01000000"
before=$(opt_hex $COLORS 80)
# Cancel drops a chosen colour and a changed check box.
drive find 1001 5000 click-async 1068 find-title Colors 1065 10000 expect-check 1065 1 click 1067 \
  mouse-click 1068 find-title Color 706 10000 settext 706 50 click 1 find-title Colors 1065 5000 click 2 \
  find 1001 5000 click 3
expect "Cancel leaves the colours" "$(opt_hex $COLORS 80)" "$before"

# The custom colours chosen in the chooser stay for the next swatch.
drive find 1001 5000 click-async 1068 find-title Colors 1065 10000 mouse-click 1070 find-title Color 706 10000 \
  settext 706 1 settext 707 2 settext 708 3 click 712 click 2 find-title Colors 1065 5000 \
  mouse-click 1080 find-title Color 706 10000 dialog-click 721 sleep 300
shot color_chooser_custom
drive find-title Color 706 5000 click 1 find-title Colors 1065 5000 click 1 find 1001 5000 click 1
opt_wait
expect "exit code" "$OPT_EXIT" 0
expect "the custom colour chosen for the selected text" "$(opt_hex $((COLORS + 0x3C)) 4)" "01020300"
opt_finish
