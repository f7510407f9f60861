#!/bin/bash
# The Advanced Filter with Select Object and Edit Object, and the Start Menu's Browse, driven
# from outside and checked against the bytes of "Options".
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_subdialogs_filter
EXCLUDE_EXT=0x114; EXCLUDE_OBJ=0x218; START_MENU=0x728

opt_start
# Advanced Filter: extensions as text, objects added through Select Object (display names, no
# duplicates, sorted), edited through Edit Object and removed.
drive find 1001 20000 click-async 1006 find-title "Advanced Filter" 1025 10000 expect-lines 1025 "" \
  expect-enabled 1009 0 expect-enabled 1010 0 settext 1021 "*.tmp, bak,,  *.old" \
  click-async 1007 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "My C" sleep 1000 click 1 \
  find-title "Advanced Filter" 1025 5000 expect-lines 1025 "My Computer" expect-enabled 1009 1 \
  click-async 1007 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "Tr" sleep 1000 click 1 \
  find-title "Advanced Filter" 1025 5000 click-async 1007 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "My C" \
  sleep 1000 click 1 find-title "Advanced Filter" 1025 5000 expect-lines 1025 "My Computer|Trash" \
  expect-selection 1025 0 click-async 1009 find-title "Edit Object" 1032 10000 expect-text 1032 "My Computer"
shot edit_object
drive find-title "Edit Object" 1032 5000 settext 1032 'C:\Temp' click 1 \
  find-title "Advanced Filter" 1025 5000 expect-lines 1025 'C:\Temp|Trash' \
  dblclick-line 1025 1 find-title "Edit Object" 1032 10000 settext 1032 "" click 1 \
  find-title "Advanced Filter" 1025 5000 expect-lines 1025 'C:\Temp|Trash' select-line 1025 0 click 1010 \
  expect-lines 1025 "Trash" expect-enabled 1010 0
shot advanced_filter
drive find-title "Advanced Filter" 1025 5000 click 1 find 1001 5000 click 3
expect "extensions to exclude" "$(opt_hex $EXCLUDE_EXT 13)" "$(printf 'tmp\0bak\0old\0\0' | xxd -p)"
expect "objects to exclude" "$(opt_hex $EXCLUDE_OBJ 8)" "$(printf 'Trash\0\0\0' | xxd -p)"

# Cancel puts the whole record back as it was when the filter opened.
before=$(sha1sum <"$OPT_OPTIONS")
drive find 1001 5000 click-async 1006 find-title "Advanced Filter" 1025 10000 expect-text 1021 "tmp, bak, old" \
  settext 1021 "x" select-line 1025 0 click 1010 expect-lines 1025 "" click 2 find 1001 5000 click 3
expect "Cancel leaves the record" "$(sha1sum <"$OPT_OPTIONS")" "$before"

# Browse of the Start Menu's starting point writes the chosen object's name; Cancel keeps it.
drive find 1001 5000 click-async 1008 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "My C" sleep 1000 click 1 \
  find 1001 5000 expect-text 1022 "My Computer" click-async 1008 find-title "Select Object" 1000 10000 click 2 \
  find 1001 5000 expect-text 1022 "My Computer" click 1
opt_wait
expect "OK stores the starting point" "$(opt_hex $START_MENU 12)" "$(printf 'My Computer\0' | xxd -p)"

# Objects that would not fit the 1,024-byte field are refused with a message.
python3 - "$OPT_OPTIONS" <<'PY'
import sys
p = sys.argv[1]; d = bytearray(open(p, "rb").read())
d[0x218:0x218 + 1024] = (b"X" * 1018 + b"\0\0").ljust(1024, b"\0")
open(p, "wb").write(d)
PY
opt_start
drive find 1001 20000 click-async 1006 find-title "Advanced Filter" 1025 10000 \
  click-async 1007 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "Tr" sleep 1000 click 1 \
  find-title Quillo 50102 10000 \
  expect-text 50102 "The list of objects to exclude is full.\\nRemove an object or choose a shorter name." click 1 \
  find-title "Advanced Filter" 1025 5000 expect-lines 1025 "$(printf 'X%.0s' $(seq 1018))" click 1 \
  find 1001 5000 click 1
opt_wait
expect "a full list is stored whole" "$(opt_hex $((EXCLUDE_OBJ + 1016)) 8)" "5858000000000000"
opt_finish
