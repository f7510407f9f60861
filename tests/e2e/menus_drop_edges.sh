# Drops at the edges, through the Explorer stand-in with both DLLs: a click on "Copy To Folder"
# or "Move To Folder" itself (not on an entry of its cascade) starts the options program and
# copies or moves nothing; "Move To Parent" on a drop target directly below a drive root (C:)
# moves the file into the drive's root folder.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
host_installed "$work"
host_options "$work/data/Options.lcf"
cp "$QUILLO_BUILD/win32/tests/explorer_host/log_args.exe" "$work/install/Quillo.exe"
options_log=$work/install/Quillo.exe.log
drive_c=$WINEPREFIX/drive_c

# has FILE TEXT: FILE exists and holds exactly TEXT.
has() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# The host menu of a drop: Open, Explore, -, Move To Folder, Copy To Folder, Move To Parent, -,
# Properties.
for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  t=$work/t$bits
  mkdir -p "$t/dest/one" "$t/src"
  echo s >"$t/src/s.txt"

  for entry in 3:Move 4:Copy; do
    position=${entry%%:*} name=${entry#*:}$bits
    rm -f "$options_log"
    host_drop $bits $name "point:0,1;wait:300;point:0,$position;wait:300;pclick:0,$position" 2000 \
      "$t/dest" "$t/src/s.txt" || e2e_fail "$name: the host did not get through its menu"
    for _ in $(seq 25); do [ -s "$options_log" ] && break; sleep 0.2; done
    [ "$(cat "$options_log" 2>/dev/null | wc -l)" = 1 ] || e2e_fail "$name: the options program was not started once"
    e2e_check "$name: the source stays" has "$t/src/s.txt" s
    [ -z "$(find "$t/dest" -type f)" ] || e2e_fail "$name: something landed in the target: $(find "$t/dest" -type f)"
    grep -q ' drop operation=' "$QUILLO_ARTIFACTS/$name.trace" && e2e_fail "$name: a file operation ran"
    echo "ok: $name: the options program, nothing moved or copied"
  done

  # C:\quillo-drop<bits> and its source folder, directly below the drive root.
  target=quillo-drop$bits source=quillo-src$bits
  rm -rf "$drive_c/$target" "$drive_c/$source" "$drive_c/quillo-p$bits.txt"
  mkdir -p "$drive_c/$target" "$drive_c/$source"
  echo p >"$drive_c/$source/quillo-p$bits.txt"
  name=root-parent$bits
  host_show $bits $name "point:0,1;wait:300;point:0,5;wait:300;pclick:0,5" --linger 4000 \
    --drag "C:\\$target" "C:\\$source\\quillo-p$bits.txt"
  grep -q 'text="Move To Parent" .*state=enabled' "$QUILLO_ARTIFACTS/$name.txt" ||
    e2e_fail "$name: Move To Parent not enabled: $(grep 'Move To Parent' "$QUILLO_ARTIFACTS/$name.txt")"
  e2e_check "$name: moved into C:\\" has "$drive_c/quillo-p$bits.txt" p
  e2e_check "$name: not into the drop target" test ! -e "$drive_c/$target/quillo-p$bits.txt"
  e2e_check "$name: moved, not copied" test ! -e "$drive_c/$source/quillo-p$bits.txt"
  rm -rf "$drive_c/$target" "$drive_c/$source" "$drive_c/quillo-p$bits.txt"
done
