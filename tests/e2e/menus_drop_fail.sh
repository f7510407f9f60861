# Drops that the shell's file operation cannot carry out, through the Explorer stand-in with both
# DLLs: a move into a folder that cannot be written to, a copy onto a folder of the same name as
# the file, and a copy onto a file of the same name, where the shell asks and is answered No.
# Nothing is lost: the sources stay, the emptied-folder rule removes nothing, what was in the
# target is unchanged, and the host goes on. A file chosen where files are listed is refused.
# Screenshots: locked<bits>.png, folder<bits>.png and clash<bits>.png (the shell's question),
# refused<bits>.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
host_installed "$work"
locked=()
# An immutable folder cannot be written to even by root; the runner must be able to remove it.
unlock() { for d in "${locked[@]}"; do chattr -i "$d"; done; }
trap unlock EXIT
trap 'exit 1' TERM INT

to_move=("down;down;down")
to_copy=("down;down;down;down")
# The shell's question about a name clash is centred on the 1024x768 screen; "No" is its right
# button.
answer_no="click:703,426;wait:300;key:0x20;wait:1000"

# drop BITS NAME SCRIPT TARGET SOURCE...: a drop whose host lingers while the shell asks.
drop() {
  host_drop "$1" "$2" "$3" 9000 "${@:4}" || e2e_fail "$2: the host did not get through its menu"
}

has() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# finished NAME: the shell's operation returned and the action thread went on.
finished() { grep -q 'action opened' "$QUILLO_ARTIFACTS/$1.trace"; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  t=$work/t$bits
  mkdir -p "$t/locked/dest/locked" "$t/locked/src" "$t/folder/dest/one/a.txt" "$t/folder/src" \
    "$t/file/dest/one" "$t/file/src" "$t/refused/dest/one" "$t/refused/src"
  echo h >"$t/locked/src/h.txt"
  echo kept >"$t/folder/dest/one/a.txt/keep.txt"
  echo a >"$t/folder/src/a.txt"
  echo old >"$t/file/dest/one/a.txt"
  echo new >"$t/file/src/a.txt"
  echo x >"$t/refused/dest/x.txt"
  echo r >"$t/refused/src/r.txt"
  chattr +i "$t/locked/dest/locked" || e2e_fail "cannot make a folder immutable"
  locked+=("$t/locked/dest/locked")

  # A move into a folder that refuses writes: the file stays where it was, and its folder,
  # emptied by nothing, is not removed. (Wine's shell shows no error here and returns success;
  # Windows' shell shows its own error message.)
  host_options "$work/data/Options.lcf" dragDeleteEmptyFolder=1
  drop $bits locked$bits "$to_move;right;wait:500;shot:locked$bits;return" \
    "$t/locked/dest" "$t/locked/src/h.txt"
  e2e_check "$bits: the source stays after a refused move" has "$t/locked/src/h.txt" h
  e2e_check "$bits: nothing arrived" test -z "$(ls -A "$t/locked/dest/locked")"
  e2e_check "$bits: the source folder stays" test -d "$t/locked/src"
  grep -q 'drop operation=1 ' "$QUILLO_ARTIFACTS/locked$bits.trace" || e2e_fail "$bits: no move was tried"

  # A copy onto a folder that has the file's name: the shell refuses; the folder keeps its file.
  drop $bits folder$bits "$to_copy;right;wait:500;return;wait:2000;shot:folder$bits;$answer_no" "$t/folder/dest" "$t/folder/src/a.txt"
  e2e_check "$bits: the shell's question was answered" finished folder$bits
  e2e_check "$bits: the folder of the same name is unchanged" has "$t/folder/dest/one/a.txt/keep.txt" kept
  e2e_check "$bits: the copy's source stays" has "$t/folder/src/a.txt" a

  # A move onto a file of the same name: the shell asks, No keeps both files as they were.
  drop $bits clash$bits "$to_copy;right;wait:500;return;wait:2000;shot:clash$bits;$answer_no" \
    "$t/file/dest" "$t/file/src/a.txt"
  e2e_check "$bits: the shell asked and was answered" finished clash$bits
  e2e_check "$bits: the existing file is not overwritten" has "$t/file/dest/one/a.txt" old
  e2e_check "$bits: the refused file stays" has "$t/file/src/a.txt" new

  # With files listed too, choosing a file is refused: the "no" cursor, no operation, and the
  # menus stay open for another choice.
  host_options "$work/data/Options.lcf" dragFoldersOnly=0
  drop $bits refused$bits "$to_copy;right;wait:500;down;return;wait:500;dump;shot:refused$bits;cancel" \
    "$t/refused/dest" "$t/refused/src/r.txt"
  grep -q 'drop refused' "$QUILLO_ARTIFACTS/refused$bits.trace" || e2e_fail "$bits: a file was not refused"
  [ "$(grep -c '^menu ' "$QUILLO_ARTIFACTS/refused$bits.txt")" = 2 ] || e2e_fail "$bits: the menus closed"
  ! grep -q 'drop operation' "$QUILLO_ARTIFACTS/refused$bits.trace" || e2e_fail "$bits: an operation ran"
  e2e_check "$bits: the refused drop left the source" has "$t/refused/src/r.txt" r
  e2e_check "$bits: and copied nothing" test ! -e "$t/refused/dest/r.txt"
done
