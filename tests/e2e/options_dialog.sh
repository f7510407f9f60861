#!/bin/bash
# The options dialog driven from outside: check boxes, trackbars, text fields, enabling groups,
# Apply, OK and Cancel, each checked against the bytes of "Options" and the registry.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_dialog
wine reg add "$DESKTOP_KEY" /v MenuShowDelay /t REG_SZ /d 400 /f </dev/null >/dev/null 2>&1

# Offsets in the options record.
MULTI=0x00C; TIPS_ON=0x00A; EXTENSIONS=0x010; ALL_EXT=0x618; DELAY=0x61C; OPEN_TARGET=0x830
RECENT_ON=0x834; RECENT_COUNT=0x838; POSITION=0x844; FAV_ON=0x854; SUB_AREA=0x85C; SUB_WIDTH=0x860

for name in MRU MRU0 MRU1; do echo recent >"$OPT_DATA/$name.lcf"; done

opt_start
drive find 1001 20000 expect-text 1028 "0.4 seconds" expect-check 1034 0 expect-check 1049 1 \
  expect-text 1020 "*" expect-text 1059 "-1" expect-enabled 1059 0 \
  expect-text 1052 "" expect-text 1042 "" expect-text 1056 "" expect-text 1033 "&Tool Tips"
shot options_dialog
expect "start-up save writes the whole record" "$(opt_size "$OPT_OPTIONS")" 2516
expect "menu delay read from MenuShowDelay" "$(opt_i32 $DELAY)" 400

# Clear deletes the recent items at once.
drive find 1001 5000 click 1043
expect "Clear deleted the recent items" "$(ls "$OPT_DATA" | grep -c '^MRU')" 0

# Check boxes and trackbars write the record; Apply saves it and keeps the dialog open.
drive find 1001 5000 click 1034 click 1036 click 1033 \
  track 1027 0 expect-text 1028 "0 seconds" track 1027 150 expect-text 1028 "0.2 seconds" \
  track 1027 1000 expect-text 1028 "1 second" \
  settext 1020 "*.jpg,,  *.png" settext 1037 0 click 3 find 1001 2000
expect "multicolumn on" "$(opt_i32 $MULTI)" 1
expect "open target folder on" "$(opt_i32 $OPEN_TARGET)" 1
expect "tool tips off" "$(opt_u16 $TIPS_ON)" 0
expect "menu delay from trackbar" "$(opt_i32 $DELAY)" 1000
expect "MenuShowDelay written" "$(reg_value "$DESKTOP_KEY" MenuShowDelay)" 1000
expect "extensions *.jpg,,  *.png" "$(opt_hex $EXTENSIONS 10)" "6a706700706e67000000"
expect "no wildcard" "$(opt_i32 $ALL_EXT)" 0
expect "recent count 0 stored as 1" "$(opt_i32 $RECENT_COUNT)" 1

drive find 1001 5000 expect-text 1037 1 expect-text 1020 "*.jpg,,  *.png" settext 1020 "*" \
  settext 1037 99 click 3 expect-text 1037 64
expect "extension *" "$(opt_hex $EXTENSIONS 4)" "2a000000"
expect "wildcard" "$(opt_i32 $ALL_EXT)" 1
expect "recent count 99 stored as 64" "$(opt_i32 $RECENT_COUNT)" 64

# Group check boxes enable their groups; the counts of a disabled group stay as they were.
drive find 1001 5000 settext 1020 "" click 1042 \
  expect-enabled 1037 0 expect-enabled 1038 0 expect-enabled 1039 0 expect-enabled 1040 0 \
  expect-enabled 1043 0 expect-enabled 1044 0 expect-enabled 1057 0 \
  click 1052 expect-enabled 1053 0 expect-enabled 1054 0 expect-enabled 1060 0 \
  click 1056 expect-enabled 1059 1 expect-enabled 1061 1 click 1048 expect-check 1049 0 click 3 \
  expect-text 1059 16
expect "empty extension text" "$(opt_hex $EXTENSIONS 2)" "0000"
expect "empty text has no wildcard" "$(opt_i32 $ALL_EXT)" 0
expect "recent off" "$(opt_i32 $RECENT_ON)" 0
expect "recent count unchanged" "$(opt_i32 $RECENT_COUNT)" 64
expect "favourites off" "$(opt_i32 $FAV_ON)" 0
expect "sub open area on" "$(opt_i32 $SUB_AREA)" 1
expect "width -1 becomes 16" "$(opt_i32 $SUB_WIDTH)" 16
expect "position bottom of menu" "$(opt_i32 $POSITION)" 3
shot options_dialog_applied

# The framework's save request (sent before a backup) saves what the dialog holds so far.
drive find 1001 5000 click 1035 find-window LWFWindow Quillo 5000 send 0x83EC
expect "save request wrote the unsaved check box" "$(opt_i32 0x82C)" 0

# OK saves and ends the program.
drive find 1001 5000 click 1040 track 1027 500 click 1
opt_wait
expect "OK ends the program with 0" "$OPT_EXIT" 0
expect "OK saved the delay" "$(opt_i32 $DELAY)" 500
expect "OK wrote MenuShowDelay" "$(reg_value "$DESKTOP_KEY" MenuShowDelay)" 500
expect "application state stored" "$(opt_size "$OPT_DATA/(LWF)App.lcf")" 297
expect "main window placement stored" "$(opt_size "$OPT_DATA/(LWF)Win0.lcf")" 16

# Cancel after changes leaves the file as the start-up save wrote it.
opt_start
drive find 1001 20000 expect-check 1042 0 expect-enabled 1037 0 expect-text 1028 "0.5 seconds"
before=$(sha1sum <"$OPT_OPTIONS")
drive find 1001 5000 click 1034 click 1064 track 1027 0 click 1052 click 2
opt_wait
expect "Cancel ends the program with 0" "$OPT_EXIT" 0
expect "Cancel leaves Options unchanged" "$(sha1sum <"$OPT_OPTIONS")" "$before"
expect "Cancel leaves MenuShowDelay" "$(reg_value "$DESKTOP_KEY" MenuShowDelay)" 500
opt_finish
