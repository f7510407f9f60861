# Setup.exe <folder>: a silent install exactly as the shipped script says, its log, an upgrade
# in place, the uninstaller it writes, and a silent uninstall run from the uninstaller's
# temporary copy. Also: a Setup.exe without payload fails start-up with 13, and a loose
# Setup.lis beside it wins over the payload's.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
set -u

work=$QUILLO_ARTIFACTS/work
mkdir -p "$work/pack" "$work/run" "$work/init files"

# The packed Setup.exe, built here from the build trees in the distribution's payload order.
# When the manual is not built, an empty stand-in takes its place in the payload.
chm=$QUILLO_BUILD/host/manual/Quillo.chm
[ -s "$chm" ] || { chm=$work/pack/Quillo.chm; : >"$chm"; }
"$QUILLO_BUILD/host/tools/pack_payload" "$QUILLO_BUILD/win32/setup/Setup.exe" "$work/run/Setup.exe" \
  "$QUILLO_ROOT/setup/scripts/Uninstall.lis" "$chm" "$QUILLO_ROOT/setup/scripts/Setup.lis" \
  "$QUILLO_BUILD/win32/options/Quillo.exe" "$QUILLO_BUILD/win32/extension/Quillo32.dll" \
  "$QUILLO_BUILD/win64/extension/Quillo64.dll" "$QUILLO_BUILD/win32/setup/CheckFolderAccess.exe" \
  || e2e_fail "packing Setup.exe"

printf 'one' >"$work/init files/one.ini"
printf 'two' >"$work/init files/two.txt"
install_dir=$WINEPREFIX/drive_c/Program\ Files/Quillo
target='C:\Program Files\Quillo'

run_setup() {  # run_setup <folder> <exe> <arguments...>: prints the exit code
  local dir=$1 rc=0
  shift
  # A run that waits for a click (a message box) fails here instead of hanging the suite.
  (cd "$dir" && timeout 60 wine "$@" </dev/null >/dev/null 2>&1) || rc=$?
  echo "$rc"
}

rc=$(run_setup "$work/run" "$work/run/Setup.exe" "$target" \
  "$(e2e_winpath "$work/init files/one.ini")" "$(e2e_winpath "$work/init files/two.txt")")
[ "$rc" = 0 ] || e2e_fail "silent install exited $rc"
log=$(tr -d '\r' <"$work/run/Setup.exe.log")
[ "$log" = "Setup finished successfully!" ] || e2e_fail "log: $log"
echo "ok: silent install exits 0 and logs success"

for f in Quillo.exe Quillo.chm Quillo32.dll Quillo64.dll Uninstall.exe Init/one.ini Init/two.txt; do
  [ -f "$install_dir/$f" ] || e2e_fail "missing $f"
done
cmp -s "$install_dir/Quillo64.dll" "$QUILLO_BUILD/win64/extension/Quillo64.dll" || e2e_fail "Quillo64.dll differs"
echo "ok: files installed, init files in Init"

reg_default() {  # reg_default <key> <view>: the default value's data
  wine reg query "$1" /ve "/reg:$2" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
reg_value() {  # reg_value <key> <name> <view>
  e2e_reg_query "$1" "$2" "$3" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
C32='{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}'
C64='{5E2B7C14-64D0-4A6F-B3C8-1D92E07F4A65}'
for k in '*\shellex\ContextMenuHandlers' 'Folder\shellex\ContextMenuHandlers' \
         'Directory\shellex\ContextMenuHandlers' 'Folder\shellex\DragDropHandlers' \
         'Directory\shellex\DragDropHandlers' 'Drive\shellex\DragDropHandlers'; do
  [ "$(reg_default "HKCR\\$k\\Quillo32" 32)" = "$C32" ] || e2e_fail "32-bit handler $k"
  [ "$(reg_default "HKCR\\$k\\Quillo64" 64)" = "$C64" ] || e2e_fail "64-bit handler $k"
done
[ "$(reg_default "HKCR\\CLSID\\$C32\\InProcServer32" 32)" = "$target\\Quillo32.dll" ] || e2e_fail "Quillo32 server"
[ "$(reg_default "HKCR\\CLSID\\$C64\\InProcServer32" 64)" = "$target\\Quillo64.dll" ] || e2e_fail "Quillo64 server"
[ "$(reg_value "HKCR\\CLSID\\$C64\\InProcServer32" ThreadingModel 64)" = Apartment ] || e2e_fail "threading model"
wine reg query "HKCR\\CLSID\\$C64" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "Quillo64 class in the 32-bit view"
approved='HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
[ "$(reg_value "$approved" "$C32" 32)" = Quillo32 ] || e2e_fail "approved 32"
[ "$(reg_value "$approved" "$C64" 64)" = Quillo64 ] || e2e_fail "approved 64"
[ "$(reg_value 'HKCU\Control Panel\Desktop' MenuShowDelay 32)" = 0 ] || e2e_fail "MenuShowDelay"
echo "ok: registration in both registry views"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo'
[ "$(reg_value "$uninstall_key" DisplayName 32)" = Quillo ] || e2e_fail DisplayName
[ "$(reg_value "$uninstall_key" DisplayIcon 32)" = "$target\\Quillo.exe,0" ] || e2e_fail DisplayIcon
[ "$(reg_value "$uninstall_key" DisplayVersion 32)" = 5.3.3 ] || e2e_fail DisplayVersion
[ "$(reg_value "$uninstall_key" Publisher 32)" = Larkwell ] || e2e_fail Publisher
[ "$(reg_value "$uninstall_key" UninstallString 32)" = "$target\\Uninstall.exe" ] || e2e_fail UninstallString
[ "$(reg_value "$uninstall_key" NoModify 32)" = 0x1 ] || e2e_fail NoModify
[ "$(reg_value "$uninstall_key" InstallLocation 32)" = "$target" ] || e2e_fail InstallLocation
size=$(reg_value "$uninstall_key" EstimatedSize 32)
[ -n "$size" ] && [ "$((size))" -gt 0 ] || e2e_fail "EstimatedSize '$size'"
echo "ok: uninstall information (EstimatedSize $((size)) KB)"

record=$(reg_value 'HKLM\Software\Larkwell' Quillo 32)
python3 - "$record" "$target" <<'PY' || e2e_fail "setup information record"
import struct, sys
data = bytes.fromhex(sys.argv[1])
assert len(data) == 1326, len(data)
marker, = struct.unpack_from('<h', data, 0)
major, minor, scope, custom, per_user = struct.unpack_from('<5h', data, 10)
folder = data[20:280].split(b'\0')[0].decode()
assert (marker, major, minor, scope, custom) == (1, 5, 3, 1, 0), (marker, major, minor, scope, custom)
assert folder == sys.argv[2], folder
assert data[800:1060].split(b'\0')[0] == b'http://www.larkwell.com/PAD/QL_VER.TXT'
assert data[1060:1320].split(b'\0')[0] == b'http://www.larkwell.com/Quillo_Download.htm'
assert data[1320:1326] == bytes(6)
PY
echo "ok: setup information record (1326 bytes, fields)"

menu=$(find "$WINEPREFIX/drive_c" -type d -path '*Start Menu/Programs/Quillo' | head -1)
[ -n "$menu" ] || e2e_fail "start menu folder"
for l in Quillo.lnk "Quillo Manual.lnk" Uninstall.lnk; do
  [ -s "$menu/$l" ] || e2e_fail "link $l"
done
printf '[InternetShortcut]\r\nURL=http://www.larkwell.com' | cmp -s - "$menu/Larkwell Website.url" \
  || e2e_fail "web site shortcut"
find "$WINEPREFIX/drive_c/users/Public" -name Quillo.lnk | grep -q . || e2e_fail "desktop link"
echo "ok: start-menu links, web shortcut and desktop link"

python3 - "$install_dir/Uninstall.exe" "$QUILLO_ROOT/setup/scripts/Uninstall.lis" <<'PY' || e2e_fail "uninstaller layout"
import struct, sys
data = open(sys.argv[1], 'rb').read()
script = open(sys.argv[2], 'rb').read()
header = b'<Setup Data Header>'
at = data.rfind(header) + len(header)
name_end = data.index(b'\0', at)
assert data[at:name_end] == b'Uninstall.lis'
size, = struct.unpack_from('<I', data, name_end + 1)
assert data[name_end + 5:] == script and size == len(script), 'exactly one entry, no trailer'
assert b'SetupMode:Unins' in data and b'SetupMode:Setup' not in data
PY
echo "ok: Uninstall.exe holds the header, the Uninstall.lis entry only, and the uninstall marker"
[ "$(wrestool -x -R -t14 -n101 -L0 "$install_dir/Uninstall.exe" | md5sum)" = \
  "$(wrestool -x -R -t14 -n102 "$QUILLO_BUILD/win32/setup/Setup.exe" | md5sum)" ] || e2e_fail "uninstall icon"
echo "ok: Uninstall.exe shows the uninstall icon group"

# A second run upgrades in place.
printf 'old' >"$install_dir/Quillo.exe"
rc=$(run_setup "$work/run" "$work/run/Setup.exe" "$target")
[ "$rc" = 0 ] || e2e_fail "second install exited $rc"
[ "$(tr -d '\r' <"$work/run/Setup.exe.log")" = "Setup finished successfully!" ] || e2e_fail "second log"
cmp -s "$install_dir/Quillo.exe" "$QUILLO_BUILD/win32/options/Quillo.exe" || e2e_fail "Quillo.exe not replaced"
echo "ok: second run upgrades in place"

# Without payload and without a loose Setup.lis, start-up fails with 13 (logged when silent). The
# program's own image never holds the payload header (its code builds the text), so nothing in
# it can be taken for a payload.
mkdir -p "$work/bare"
cp "$QUILLO_BUILD/win32/setup/Setup.exe" "$work/bare/Setup.exe"
[ "$(grep -c -a -F '<Setup Data Header>' "$work/bare/Setup.exe")" = 0 ] || e2e_fail "the bare Setup.exe holds the header text"
rc=$(run_setup "$work/bare" "$work/bare/Setup.exe" 'C:\Bare')
[ "$rc" = 13 ] || e2e_fail "Setup.exe without payload exited $rc"
grep -q 'Setup failed!' "$work/bare/Setup.exe.log" || e2e_fail "bare log"
echo "ok: no payload, no loose script -> 13"

# A loose Setup.lis in the working folder wins over the payload's.
mkdir -p "$work/loose"
cp "$work/run/Setup.exe" "$work/loose/Setup.exe"
printf 'PhaseBegin 0\r\nSet #PROGRAM#, Loose\r\nPhaseEnd\r\nPhaseBegin 1\r\nCreateDir #INSTALLPATH#\\loose script ran\r\nPhaseEnd\r\n' \
  >"$work/loose/Setup.lis"
rc=$(run_setup "$work/loose" "$work/loose/Setup.exe" 'C:\LooseTarget')
[ "$rc" = 0 ] || e2e_fail "loose script run exited $rc"
[ -d "$WINEPREFIX/drive_c/LooseTarget/loose script ran" ] || e2e_fail "loose script not used"
[ ! -e "$WINEPREFIX/drive_c/LooseTarget/Quillo.exe" ] || e2e_fail "payload script was used"
echo "ok: a loose Setup.lis wins over the payload"

# A working folder given with -WORKDIR receives the log; an init file that cannot be copied fails
# the install in the log (its message first); #NOX64# 1 refuses a 64-bit system with exit code 1.
mkdir -p "$work/work dir"
rc=$(run_setup "$work/run" "$work/run/Setup.exe" -WORKDIR "$(e2e_winpath "$work/work dir")" \
  'C:\Work Target' "$(e2e_winpath "$work/init files/missing file.ini")")
[ "$rc" = 0 ] || e2e_fail "-WORKDIR run exited $rc"
printf 'Some files initialization files could not be copied.\r\nCheck the Init direcory in the installation folder.\r\nSetup failed!\r\n' \
  | cmp -s - "$work/work dir/Setup.exe.log" || e2e_fail "init failure log: $(cat "$work/work dir/Setup.exe.log")"
echo "ok: -WORKDIR holds the log; a failed init-file copy is logged as a failure"
printf 'PhaseBegin 0\r\nSet #NOX64#, 1\r\nPhaseEnd\r\nPhaseBegin 1\r\nPhaseEnd\r\n' >"$work/loose/Setup.lis"
rc=$(run_setup "$work/loose" "$work/loose/Setup.exe" 'C:\LooseTarget')
[ "$rc" = 1 ] || e2e_fail "#NOX64# on a 64-bit prefix exited $rc"
echo "ok: #NOX64# refuses the 64-bit system with 1"

# Uninstall.exe hands over to "_LWUItmp.exe" in the temporary folder and ends with 0. The copy
# shows the uninstall wizard; cancelled with Escape, it removes itself through its batch file,
# and the installation is untouched.
command -v xdotool >/dev/null || e2e_fail "xdotool is needed to cancel the uninstall wizard"
{
  temp=$(winepath -u "$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')")
  rc=$(run_setup "$work/run" "$install_dir/Uninstall.exe")
  [ "$rc" = 0 ] || e2e_fail "Uninstall.exe exited $rc"
  [ -f "$temp/_LWUItmp.exe" ] || e2e_fail "no temporary uninstaller in $temp"
  for _ in $(seq 1 50); do xdotool search --name '^Uninstall - Quillo' >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 0.5
  e2e_screenshot uninstall-wizard
  xdotool key Escape
  for _ in $(seq 1 50); do [ -e "$temp/_LWUItmp.exe" ] || break; sleep 0.2; done
  [ ! -e "$temp/_LWUItmp.exe" ] || e2e_fail "the temporary uninstaller did not delete itself"
  [ ! -e "$temp/LWAutoDel.bat" ] || e2e_fail "the self-deletion batch is left"
  [ -f "$install_dir/Uninstall.exe" ] || e2e_fail "the installation was changed"
  echo "ok: Uninstall.exe hands over to _LWUItmp.exe, which removes itself at its end"
}

# The uninstaller, run as its temporary copy with the install folder: a silent uninstall.
mkdir -p "$work/unins"
cp "$install_dir/Uninstall.exe" "$work/unins/Q_LWUItmp.exe"
rc=$(run_setup "$work/unins" "$work/unins/Q_LWUItmp.exe" "$target")
[ "$rc" = 0 ] || e2e_fail "uninstall exited $rc"
# Given the install folder, the uninstall takes nothing from the setup information, so it knows
# no data folder: its two lines are skipped and say so, instead of acting on the drive root.
printf 'Skipped, the folder is not known: DeleteFile #CONFIGPATH#\\*.lcf\r\nSkipped, the folder is not known: RemoveDir #CONFIGPATH#\r\nUninstall finished successfully!\r\n' \
  | cmp -s - "$work/unins/Q_LWUItmp.exe.log" || e2e_fail "uninstall log: $(cat "$work/unins/Q_LWUItmp.exe.log")"
[ ! -e "$install_dir" ] || e2e_fail "install folder left: $(ls "$install_dir")"
[ ! -e "$menu" ] || e2e_fail "start menu folder left"
wine reg query "HKCR\\CLSID\\$C32" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "Quillo32 class left"
wine reg query "HKCR\\CLSID\\$C64" /reg:64 </dev/null >/dev/null 2>&1 && e2e_fail "Quillo64 class left"
wine reg query "HKCR\\Directory\\shellex\\DragDropHandlers\\Quillo64" /reg:64 </dev/null >/dev/null 2>&1 \
  && e2e_fail "Quillo64 handler left"
wine reg query "$uninstall_key" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "uninstall key left"
[ -z "$(reg_value 'HKLM\Software\Larkwell' Quillo 32)" ] || e2e_fail "record left"
echo "ok: uninstall removes files, links and registry entries of both views"

for _ in $(seq 1 50); do [ -e "$work/unins/Q_LWUItmp.exe" ] || break; sleep 0.2; done
[ ! -e "$work/unins/Q_LWUItmp.exe" ] || e2e_fail "the temporary uninstaller did not delete itself"
echo "ok: the temporary uninstaller deletes itself"

# An uninstall without setup information must not act on the drive root: with the record deleted
# the uninstall wizard knows no data folder (and looks for the program in the default install
# folder). Files at the root of drive C: that the script's patterns would match survive; what the
# script can find without the record (the registration, the uninstall information) is still removed.
# The uninstaller starts on drive C:, so a path left without its folder would name that root.
root=$WINEPREFIX/drive_c
mkdir -p "$root/Init"
printf 'keep' >"$root/Quillo-keep.txt"
printf 'keep' >"$root/keep.lcf"
printf 'keep' >"$root/Init/keep.txt"
driver=$QUILLO_BUILD/win32/setup/tests/setup_wizard_driver.exe
drive() { timeout 60 wine "$driver" "$@" </dev/null >/dev/null 2>&1 || e2e_fail "driver: $*"; }
rc=$(run_setup "$work/run" "$work/run/Setup.exe" "$target")
[ "$rc" = 0 ] || e2e_fail "reinstall exited $rc"
wine reg delete 'HKLM\Software\Larkwell' /v Quillo /f /reg:32 </dev/null >/dev/null 2>&1 || e2e_fail "deleting the record"
rc=$(run_setup "$root" "$install_dir/Uninstall.exe")
[ "$rc" = 0 ] || e2e_fail "Uninstall.exe without setup information exited $rc"
drive page 'Uninstall - Quillo v5.3.3' 1044 20000 click 1 page 'Uninstall - Quillo v5.3.3' 1036 30000 click 1 gone 20000
for f in Quillo-keep.txt keep.lcf Init/keep.txt; do
  [ "$(cat "$root/$f" 2>/dev/null)" = keep ] || e2e_fail "$f at the drive root was deleted"
done
wine reg query "HKCR\\CLSID\\$C32" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "Quillo32 class left"
wine reg query "$uninstall_key" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "uninstall key left"
echo "ok: without setup information the uninstall leaves the drive root alone and removes the rest"

# With the setup information, the uninstall wizard (not keeping the data) removes what the script
# lists and nothing else: the user's own files in the install and data folders and at the drive
# root stay.
for _ in $(seq 1 50); do pgrep -f _LWUItmp.exe >/dev/null || break; sleep 0.2; done
rc=$(run_setup "$work/run" "$work/run/Setup.exe" "$target")
[ "$rc" = 0 ] || e2e_fail "third install exited $rc"
data=$(find "$root" -type d -path '*Larkwell/Quillo' | head -1)
[ -n "$data" ] || e2e_fail "no data folder after the install"
printf 'x' >"$data/Options.lcf"
printf 'mine' >"$data/notes.txt"
printf 'mine' >"$install_dir/notes.txt"
mkdir -p "$install_dir/Init"
printf 'seed' >"$install_dir/Init/Options.lcf"
rc=$(run_setup "$root" "$install_dir/Uninstall.exe")
[ "$rc" = 0 ] || e2e_fail "Uninstall.exe exited $rc"
drive page 'Uninstall - Quillo v5.3.3' 1044 20000 expect-check 1044 0 click 1 \
  page 'Uninstall - Quillo v5.3.3' 1036 30000 click 1 gone 20000
left=$(cd "$install_dir" && find . -type f | sort | tr '\n' ' ')
[ "$left" = "./notes.txt " ] || e2e_fail "install folder holds '$left'"
[ ! -e "$data/Options.lcf" ] || e2e_fail "data file left"
[ "$(cat "$data/notes.txt")" = mine ] || e2e_fail "a file that is not the product's was deleted"
for f in Quillo-keep.txt keep.lcf Init/keep.txt; do
  [ "$(cat "$root/$f" 2>/dev/null)" = keep ] || e2e_fail "$f at the drive root was deleted"
done
wine reg query "HKCR\\CLSID\\$C64" /reg:64 </dev/null >/dev/null 2>&1 && e2e_fail "Quillo64 class left"
[ -z "$(reg_value 'HKLM\Software\Larkwell' Quillo 32)" ] || e2e_fail "record left"
echo "ok: with setup information the uninstall removes the product's files only"
rm -rf "$root/Init" "$root/Quillo-keep.txt" "$root/keep.lcf" "$install_dir" "$data"
