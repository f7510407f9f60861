# Drops through the Explorer stand-in with both DLLs, the menus driven by real keys and mouse:
# "Copy To Folder" into a folder picked two levels deep (keyboard), "Move To Folder" (mouse),
# "Move To Parent" (mouse), the emptied source folder removed after a move and kept after a copy,
# and the target opened afterwards (dragOpenTarget, and Ctrl held, which also keeps the emptied
# folder). Screenshots: copy<bits>.png, move<bits>.png, parent<bits>.png, emptied<bits>.png,
# open<bits>.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
host_installed "$work"
mkdir -p "$work/bin"
manager=$work/bin/manager.exe
cp "$QUILLO_BUILD/win32/tests/explorer_host/log_args.exe" "$manager"

# The host menu of a drop: Open, Explore, -, Move To Folder, Copy To Folder, Move To Parent, -,
# Properties. Keys from nothing highlighted to an entry:
to_move=("down;down;down")
to_copy=("down;down;down;down")

# drop BITS NAME SCRIPT TARGET SOURCE...: a drop whose host lingers while the operation runs.
drop() {
  host_drop "$1" "$2" "$3" 4000 "${@:4}" || e2e_fail "$2: the host did not get through its menu"
}

# has FILE TEXT: FILE exists and holds exactly TEXT.
has() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  t=$work/t$bits
  mkdir -p "$t/copy/dest/one/two" "$t/copy/src" "$t/move/dest/one" "$t/move/src" \
    "$t/parent/dest/inner" "$t/parent/src" "$t/emptied/dest/one/two" "$t/emptied/src/d" \
    "$t/open/dest/one" "$t/open/src" "$t/open/src2"
  echo a >"$t/copy/src/a.txt"
  echo b >"$t/copy/src/b.txt"
  echo c >"$t/move/src/c.txt"
  echo p >"$t/parent/src/p.txt"
  echo e >"$t/emptied/src/e.txt"
  echo f >"$t/emptied/src/d/f.txt"
  echo o >"$t/open/src/o.txt"
  echo q >"$t/open/src2/q.txt"

  # Copy into dest\one\two by keyboard; the emptied-source rule does not touch a copy's source.
  host_options "$work/data/Options.lcf" dragDeleteEmptyFolder=1
  drop $bits copy$bits "$to_copy;right;wait:500;right;wait:500;dump;shot:copy$bits;return" \
    "$t/copy/dest" "$t/copy/src/a.txt" "$t/copy/src/b.txt"
  e2e_check "$bits: copied two levels deep" has "$t/copy/dest/one/two/a.txt" a
  e2e_check "$bits: both names copied" has "$t/copy/dest/one/two/b.txt" b
  e2e_check "$bits: the copy's sources stay" has "$t/copy/src/a.txt" a
  e2e_check "$bits: the copy's source folder stays" test -d "$t/copy/src"

  # Move into dest\one with the mouse; without dragDeleteEmptyFolder the emptied folder stays.
  host_options "$work/data/Options.lcf"
  drop $bits move$bits "point:0,1;wait:300;point:0,3;wait:900;point:1,0;wait:300;shot:move$bits;pclick:1,0" \
    "$t/move/dest" "$t/move/src/c.txt"
  e2e_check "$bits: moved by mouse" has "$t/move/dest/one/c.txt" c
  e2e_check "$bits: the moved file left its folder" test ! -e "$t/move/src/c.txt"
  e2e_check "$bits: an emptied folder stays without the option" test -d "$t/move/src"

  # "Move To Parent" on a drop onto dest\inner moves into dest.
  drop $bits parent$bits "point:0,1;wait:300;point:0,5;wait:300;shot:parent$bits;pclick:0,5" \
    "$t/parent/dest/inner" "$t/parent/src/p.txt"
  grep -q 'text="Move To Parent" .*state=enabled' "$QUILLO_ARTIFACTS/parent$bits.txt" ||
    e2e_fail "$bits: Move To Parent not enabled"
  e2e_check "$bits: moved into the drop target's parent" has "$t/parent/dest/p.txt" p
  e2e_check "$bits: not into the drop target" test ! -e "$t/parent/dest/inner/p.txt"
  e2e_check "$bits: Move To Parent moved, not copied" test ! -e "$t/parent/src/p.txt"

  # Moving every object out of a folder removes it when dragDeleteEmptyFolder is on. (A file
  # and a folder: Wine's shell refuses to move several files, and no folder, at once.)
  host_options "$work/data/Options.lcf" dragDeleteEmptyFolder=1
  drop $bits emptied$bits "$to_move;right;wait:500;right;wait:500;shot:emptied$bits;return" \
    "$t/emptied/dest" "$t/emptied/src/e.txt" "$t/emptied/src/d"
  e2e_check "$bits: the file moved" has "$t/emptied/dest/one/two/e.txt" e
  e2e_check "$bits: the folder moved with its file" has "$t/emptied/dest/one/two/d/f.txt" f
  e2e_check "$bits: the emptied source folder is removed" test ! -e "$t/emptied/src"
  grep -q 'drop removed-source=' "$QUILLO_ARTIFACTS/emptied$bits.trace" ||
    e2e_fail "$bits: the removal was not notified"

  # dragOpenTarget opens the chosen folder afterwards (here in the alternate file manager), and
  # so does Ctrl held at the activation without it.
  rm -f "$manager.log"
  host_options "$work/data/Options.lcf" dragOpenTarget=1 alternateFileManager="$(e2e_winpath "$manager")"
  drop $bits open$bits "$to_copy;right;wait:500;shot:open$bits;return" "$t/open/dest" "$t/open/src/o.txt"
  e2e_check "$bits: copied before opening" has "$t/open/dest/one/o.txt" o
  grep -qF "\"$(e2e_winpath "$t/open/dest/one")\"" "$manager.log" ||
    e2e_fail "$bits: the target was not opened: $(cat "$manager.log" 2>/dev/null)"
  # Ctrl also keeps the folder a move emptied.
  host_options "$work/data/Options.lcf" dragDeleteEmptyFolder=1 alternateFileManager="$(e2e_winpath "$manager")"
  drop $bits ctrl$bits "$to_move;right;wait:500;ctrl-down;return;ctrl-up" "$t/open/dest" "$t/open/src2/q.txt"
  e2e_check "$bits: Ctrl: moved" has "$t/open/dest/one/q.txt" q
  [ "$(grep -c 'open.dest.one"' "$manager.log")" = 2 ] || e2e_fail "$bits: Ctrl did not open the target"
  e2e_check "$bits: Ctrl keeps the emptied folder" test -d "$t/open/src2"
done
