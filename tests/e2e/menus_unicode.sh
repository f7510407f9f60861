# Names that the Western code page cannot hold (Cyrillic, Greek, Japanese, an emoji beyond the
# Basic Multilingual Plane), driven through the Explorer stand-in with real keys and mouse.
# Drops: "файл.txt" dragged from a folder that also holds "abcd.txt" and "wxyz.txt" (its ANSI
# form "????.txt" would be a wildcard for both) is copied, moved, and moved to the parent, and
# nothing else is. Screenshots: unicode-copy32.png, unicode-move32.png, unicode-parent32.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
host_installed "$work"
host_options "$work/data/Options.lcf"

# The host menu of a drop: Open, Explore, -, Move To Folder, Copy To Folder, Move To Parent, -,
# Properties. Keys from nothing highlighted to an entry:
to_move="down;down;down"
to_copy="down;down;down;down"

# has FILE TEXT: FILE exists and holds exactly TEXT.
has() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# neighbours DIR: the wildcard neighbours are where they were, and nowhere else.
neighbours_stay() {
  has "$1/abcd.txt" abcd && has "$1/wxyz.txt" wxyz
}

# drop BITS NAME SCRIPT TARGET SOURCE...: a drop whose host lingers while the operation runs.
drop() {
  host_drop "$1" "$2" "$3" 4000 "${@:4}" || e2e_fail "$2: the host did not get through its menu"
}

bits=32
e2e_check "register Quillo$bits" host_register $bits
for op in copy move parent; do
  t=$work/$op
  mkdir -p "$t/src" "$t/dest/Папка Ω"
  echo файл >"$t/src/файл.txt"
  echo abcd >"$t/src/abcd.txt"
  echo wxyz >"$t/src/wxyz.txt"
done

# Copy into dest\Папка Ω by keyboard.
drop $bits copy$bits "$to_copy;right;wait:500;shot:unicode-copy$bits;return" \
  "$work/copy/dest" "$work/copy/src/файл.txt"
e2e_check "copied exactly that file" has "$work/copy/dest/Папка Ω/файл.txt" файл
e2e_check "the copy's source stays" has "$work/copy/src/файл.txt" файл
e2e_check "copy: no neighbour copied" test ! -e "$work/copy/dest/Папка Ω/abcd.txt" -a ! -e "$work/copy/dest/Папка Ω/wxyz.txt"
e2e_check "copy: neighbours untouched" neighbours_stay "$work/copy/src"

# Move into dest\Папка Ω by keyboard.
drop $bits move$bits "$to_move;right;wait:500;shot:unicode-move$bits;return" \
  "$work/move/dest" "$work/move/src/файл.txt"
e2e_check "moved exactly that file" has "$work/move/dest/Папка Ω/файл.txt" файл
e2e_check "the moved file left its folder" test ! -e "$work/move/src/файл.txt"
e2e_check "move: no neighbour moved" test ! -e "$work/move/dest/Папка Ω/abcd.txt" -a ! -e "$work/move/dest/Папка Ω/wxyz.txt"
e2e_check "move: neighbours untouched" neighbours_stay "$work/move/src"

# "Move To Parent" on a drop onto dest\Папка Ω moves into dest.
drop $bits parent$bits "point:0,1;wait:300;point:0,5;wait:300;shot:unicode-parent$bits;pclick:0,5" \
  "$work/parent/dest/Папка Ω" "$work/parent/src/файл.txt"
e2e_check "moved exactly that file into the target's parent" has "$work/parent/dest/файл.txt" файл
e2e_check "parent: the file left its folder" test ! -e "$work/parent/src/файл.txt"
e2e_check "parent: no neighbour moved" test ! -e "$work/parent/dest/abcd.txt" -a ! -e "$work/parent/dest/wxyz.txt"
e2e_check "parent: neighbours untouched" neighbours_stay "$work/parent/src"
