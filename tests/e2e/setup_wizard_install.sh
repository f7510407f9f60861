# The packed Setup.exe run without arguments: its wizard is clicked through from outside (welcome,
# license, a relative folder refused, a failed copy answered with Retry, all users, finish
# choices), the installation is checked, and the uninstall wizard then removes it while keeping
# the settings and data and reporting the folder a user's file kept. A screenshot of every page
# is kept.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
set -u

source "$QUILLO_ROOT/setup/tests/wizard_e2e.sh"

SETUP='Setup - Quillo v5.3.3'
UNINSTALL='Uninstall - Quillo v5.3.3'
shot() { sleep 0.3; e2e_screenshot "$1"; }

target='C:\Wizard Target\Quillo'
install_dir="$WINEPREFIX/drive_c/Wizard Target/Quillo"
# A folder named Quillo.exe in the chosen folder makes the copy fail until the user removes it.
rm -rf "$WINEPREFIX/drive_c/Wizard Target"
mkdir -p "$install_dir/Quillo.exe"

start_setup "$work/run"

drive page "$SETUP" 1007 20000 >/dev/null
shot 01-welcome
drive page "$SETUP" 1007 100 click 1 page "$SETUP" 1008 5000 >/dev/null
grep -q 'LICENSE AGREEMENT' <<<"$(drive page "$SETUP" 1008 100 print-text 1008)" \
  || e2e_fail "the built-in license text is not shown"
shot 02-license
drive page "$SETUP" 1008 100 click 1 page "$SETUP" 1014 5000 \
  expect-text 1014 'C:\Program Files (x86)\Quillo' expect-check 1040 1 expect-check 1046 1 >/dev/null
echo "ok: welcome and license lead to the folder page with the default folder"

drive page "$SETUP" 1014 100 settext 1014 'Quillo' click 1 \
  message Setup 'You must use an absolute path' 1 5000 >/dev/null
drive page "$SETUP" 1014 100 settext 1014 "$target\\" click 1038 >/dev/null
shot 03-folder
drive page "$SETUP" 1014 100 expect-check 1038 1 click 1 >/dev/null
echo "ok: a relative folder is refused with message 1039 and the page stays"

drive page "$SETUP" 1017 10000 message Setup 'A file could not be copied' 4 20000 >/dev/null &
driver_pid=$!
for _ in $(seq 1 100); do
  wine "$driver" page "$SETUP" 1017 100 </dev/null >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
shot 04-progress-error
rmdir "$install_dir/Quillo.exe"
wait "$driver_pid" || e2e_fail "the copy failure was not reported with message 1015"
echo "ok: a failed copy asks with message 1015; Retry repeats it"

out=$(drive page "$SETUP" 1023 30000 expect-check 1023 1 expect-check 1025 1 expect-check 1028 1 \
  expect-visible 1023 1 expect-visible 1025 1 expect-visible 1028 1 click 1023 click 1025)
shot 05-finish
drive page "$SETUP" 1023 100 expect-check 1023 0 expect-check 1025 0 click 1 gone 20000 >/dev/null
expect_exit "$work/run" 0
echo "ok: the finish page offers the three choices; Finish ends Setup with 0"

for f in Quillo.exe Quillo.chm Quillo32.dll Quillo64.dll Uninstall.exe; do
  [ -f "$install_dir/$f" ] || e2e_fail "missing $f"
done
cmp -s "$install_dir/Quillo.exe" "$QUILLO_DIST/Quillo.exe" || e2e_fail "Quillo.exe not replaced after Retry"
[ ! -e "$install_dir/CheckFolderAccess.exe" ] || e2e_fail "the folder access checker was left behind"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo'
e2e_reg_query "$uninstall_key" UninstallString 32 | grep -qF "$target\\Uninstall.exe" || e2e_fail "UninstallString"
size=$(e2e_reg_query "$uninstall_key" EstimatedSize 32 | sed -n 's/.*REG_DWORD *//p')
[ -n "$size" ] && [ "$((size))" -gt 0 ] || e2e_fail "EstimatedSize '$size'"
record=$(e2e_reg_query 'HKLM\Software\Larkwell' Quillo 32 | sed -n 's/.*REG_BINARY *//p')
python3 - "$record" "$target" <<'PY' || e2e_fail "setup information record"
import struct, sys
data = bytes.fromhex(sys.argv[1])
assert len(data) == 1326, len(data)
scope, custom, per_user = struct.unpack_from('<3h', data, 14)
assert (scope, custom) == (1, 0), (scope, custom)
assert data[20:280].split(b'\0')[0].decode() == sys.argv[2]
# Finish choices as ticked: no start, no manual, a desktop shortcut.
assert struct.unpack_from('<3h', data, 1320) == (0, 0, 1), struct.unpack_from('<3h', data, 1320)
PY
find "$WINEPREFIX/drive_c/users/Public" -iname Quillo.lnk | grep -q . || e2e_fail "desktop link for all users"
menu=$(find "$WINEPREFIX/drive_c/ProgramData" -type d -path '*Start Menu/Programs/Quillo' | head -1)
[ -n "$menu" ] && [ -s "$menu/Quillo.lnk" ] || e2e_fail "all-users start menu"
echo "ok: installed for all users into the chosen folder; record with the finish choices"

# The uninstall wizard, keeping the settings and data.
temp=$(winepath -u "$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')")
rc=$(cd "$work/run" && e2e_exit_code "$install_dir/Uninstall.exe")
[ "$rc" = 0 ] || e2e_fail "Uninstall.exe exited $rc"
out=$(drive page "$UNINSTALL" 1044 20000 print-text 1010)
data_win=$(sed -n 's/^text: //p' <<<"$out" | tr -d '\r')
[ -n "$data_win" ] && [ "$data_win" != '<Unknown>' ] || e2e_fail "the data folder is not shown: '$data_win'"
data_dir=$(winepath -u "$data_win" 2>/dev/null)
[ -d "$data_dir" ] || e2e_fail "data folder $data_dir does not exist"
printf 'kept' >"$data_dir/Options.lcf"
drive page "$UNINSTALL" 1044 100 click 1044 message Uninstall 'Please do not keep' 1 5000 >/dev/null
drive page "$UNINSTALL" 1044 100 expect-check 1044 1 >/dev/null
shot 06-uninstall-welcome
# A file of the user's in the install folder keeps the folder: the finish page says so.
printf 'mine' >"$install_dir/notes.txt"
drive page "$UNINSTALL" 1044 100 click 1 page "$UNINSTALL" 1036 30000 expect-visible 1008 1 \
  expect-visible 1036 1 expect-visible 1012 1 >/dev/null
shot 07-uninstall-finish
drive page "$UNINSTALL" 1036 100 click 1 gone 20000 >/dev/null
for _ in $(seq 1 50); do [ -e "$temp/_LWUItmp.exe" ] || break; sleep 0.2; done
[ ! -e "$temp/_LWUItmp.exe" ] || e2e_fail "the temporary uninstaller did not delete itself"
[ "$(ls "$install_dir")" = notes.txt ] || e2e_fail "install folder holds: $(ls "$install_dir")"
[ -z "$(e2e_reg_query 'HKLM\Software\Larkwell' Quillo 32 | sed -n 's/.*REG_BINARY *//p')" ] || e2e_fail "record left"
wine reg query "$uninstall_key" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "uninstall key left"
[ "$(cat "$data_dir/Options.lcf")" = kept ] || e2e_fail "the kept data were removed"
echo "ok: the uninstall wizard removes the installation, keeps the settings and data, and reports the folder it could not remove"
