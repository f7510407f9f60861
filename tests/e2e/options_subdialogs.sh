#!/bin/bash
# The Favorites editor driven from outside: Add Path, duplicates, separators, the capacity,
# moving and removing lines, Add Object through Select Object, OK and Cancel, each checked
# against the stored "FAV" files; a damaged favourite file loses no favourite after it.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_subdialogs
mkdir -p "$OPT_DIR/places/Alpha" "$OPT_DIR/places/Beta" "$OPT_DIR/places/Gamma"
places=$(winepath -w "$OPT_DIR/places" 2>/dev/null)
A=$places\\Alpha; B=$places\\Beta; G=$places\\Gamma; SEP=--------------------------------
FAV_COUNT=0x858

# fav_kind <index>: "separator", "list:<last names>" for a well-formed item ID list, "missing", or
# "bad" for anything else.
fav_kind() {
  python3 - "$OPT_DATA/FAV$1.lcf" <<'PY'
import os, re, sys
p = sys.argv[1]
if not os.path.exists(p): print("missing"); sys.exit()
d = open(p, "rb").read()
if d == b"\xff\xff\xff\xff": print("separator"); sys.exit()
at = 0
while at + 2 <= len(d):
    n = d[at] | d[at + 1] << 8
    if n == 0: break
    if n < 2 or at + n > len(d): print("bad"); sys.exit()
    at += n
print("list:" + ("Alpha" if b"Alpha" in d else "") + ("Beta" if b"Beta" in d else "") +
      ("Gamma" if b"Gamma" in d else "") if at + 2 == len(d) else "bad")
PY
}
fav_files() { ls "$OPT_DATA" | grep -c '^FAV'; }

opt_start
# Capacity 3: a path added twice (in another letter case) is one line; separators repeat.
drive find 1001 20000 settext 1053 3 click-async 1060 find-title Favorites 1059 10000 expect-lines 1059 "" \
  settext 1067 "$A" click 1060 expect-lines 1059 "$A" expect-selection 1059 0 \
  settext 1067 "${A^^}" click 1060 expect-lines 1059 "$A" \
  click 1062 expect-lines 1059 "$A|$SEP" expect-selection 1059 1 \
  settext 1067 'Q:\no\such\place' click-async 1060 find-title Quillo 50102 10000 expect-text 50102 "Invalid path!" \
  click 1 find-title Favorites 1059 5000 expect-lines 1059 "$A|$SEP" \
  settext 1067 "$B" click 1060 expect-lines 1059 "$A|$SEP|$B" expect-selection 1059 2 \
  settext 1067 "$G" click 1060 click 1062 expect-lines 1059 "$A|$SEP|$B"
shot favorites_editor
# Selecting a line shows it in the edit box; Up and Down stop at the ends.
drive find-title Favorites 1059 5000 expect-lines 1059 "$A|$SEP|$B" \
  select-line 1059 2 sleep 200 expect-text 1067 "$B" \
  click 1011 expect-lines 1059 "$A|$B|$SEP" expect-selection 1059 1 click 1011 click 1011 \
  expect-lines 1059 "$B|$A|$SEP" expect-selection 1059 0 \
  select-line 1059 2 click 1012 expect-lines 1059 "$B|$A|$SEP" expect-selection 1059 2 \
  select-line 1059 0 click 1012 expect-lines 1059 "$A|$B|$SEP" expect-selection 1059 1 \
  click 1011 expect-lines 1059 "$B|$A|$SEP" click 1 find 1001 5000 click 3
expect "favourite count" "$(opt_i32 $FAV_COUNT)" 3
expect "FAV0 after OK" "$(fav_kind 0)" list:Beta
expect "FAV1 after OK" "$(fav_kind 1)" list:Alpha
expect "FAV2 after OK" "$(fav_kind 2)" separator
cp "$OPT_DATA/FAV0.lcf" "$OPT_DIR/beta.lcf"; cp "$OPT_DATA/FAV1.lcf" "$OPT_DIR/alpha.lcf"

# Cancel after removing every line leaves the table as it was.
before=$(cat "$OPT_DATA"/FAV*.lcf | sha1sum)
drive find 1001 5000 click-async 1060 find-title Favorites 1059 10000 expect-lines 1059 "$B|$A|$SEP" \
  select-line 1059 0 click 1061 expect-lines 1059 "$A|$SEP" expect-selection 1059 0 click 1061 click 1061 \
  expect-lines 1059 "" click 1061 click 1011 click 1012 click 2 find 1001 5000 click 3
expect "Cancel keeps the favourites" "$(cat "$OPT_DATA"/FAV*.lcf | sha1sum)" "$before"

# Add Object: the object chosen in Select Object, inserted after the selected line. A virtual
# object is named by its in-folder name, not by its class id.
drive find 1001 5000 settext 1053 5 click-async 1060 find-title Favorites 1059 10000 select-line 1059 0 \
  click-async 1063 find-title "Select Object" 1000 10000 sleep 500
shot select_object
drive find-title "Select Object" 1000 5000 select-root 1000 type 1000 "My C" sleep 1000 click 1 \
  find-title Favorites 1059 5000 expect-lines 1059 "$B|My Computer|$A|$SEP" expect-selection 1059 1 \
  click-async 1063 find-title "Select Object" 1000 10000 select-root 1000 type 1000 "My C" sleep 1000 click 1 \
  find-title Favorites 1059 5000 expect-lines 1059 "$B|My Computer|$A|$SEP" \
  click 1 find 1001 5000 click 3
expect "FAV0 after Add Object" "$(fav_kind 0)" list:Beta
expect "FAV1 is the chosen object" "$(fav_kind 1)" list:
expect "FAV2 after Add Object" "$(fav_kind 2)" list:Alpha
expect "FAV3 after Add Object" "$(fav_kind 3)" separator
# At the capacity (4 lines, 4 favourites) Add Object opens nothing, Separator and Add Path add
# nothing.
drive find 1001 5000 settext 1053 4 click-async 1060 find-title Favorites 1059 10000 \
  expect-lines 1059 "$B|My Computer|$A|$SEP" select-line 1059 0 click-async 1063 sleep 1500 \
  no-window "#32770" "Select Object" 100 find-title Favorites 1059 5000 click 1062 \
  settext 1067 "$G" click 1060 expect-lines 1059 "$B|My Computer|$A|$SEP" click 2 find 1001 5000
drive find 1001 5000 click 2
opt_wait

# A damaged favourite file is not handed to the shell, and the favourites after it survive the
# next save without a gap.
rm -f "$OPT_DATA"/FAV*.lcf
cp "$OPT_DIR/alpha.lcf" "$OPT_DATA/FAV0.lcf"
printf '\x09\x00AB' >"$OPT_DATA/FAV1.lcf"
cp "$OPT_DIR/beta.lcf" "$OPT_DATA/FAV2.lcf"
opt_start
drive find 1001 20000 click-async 1060 find-title Favorites 1059 10000 expect-lines 1059 "$A|$B"
expect "FAV0 after a damaged file" "$(fav_kind 0)" list:Alpha
expect "FAV1 takes the next favourite" "$(fav_kind 1)" list:Beta
expect "no file after the last" "$(fav_kind 2)" missing

# OK with an empty list clears every favourite.
drive find-title Favorites 1059 5000 select-line 1059 0 click 1061 click 1061 expect-lines 1059 "" click 1 \
  find 1001 5000 click 3
expect "OK with no lines leaves no favourite" "$(fav_files)" 0
drive find 1001 5000 click 2
opt_wait
opt_finish
