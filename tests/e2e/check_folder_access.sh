# CheckFolderAccess.exe: exit code 0 for a writable folder (leaving no test.tmp), 1 otherwise.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
probe=$QUILLO_DIST/CheckFolderAccess.exe
work=$QUILLO_ARTIFACTS/folders
mkdir -p "$work/writable" "$work/with space"
: >"$work/a file"

rc=$(e2e_exit_code "$probe" "$(e2e_winpath "$work/writable")")
[ "$rc" = 0 ] || e2e_fail "writable folder gave $rc"
[ ! -e "$work/writable/test.tmp" ] || e2e_fail "test.tmp was left behind"
echo "ok: writable folder -> 0, no test.tmp left"

rc=$(e2e_exit_code "$probe" "$(e2e_winpath "$work/with space")")
[ "$rc" = 0 ] || e2e_fail "folder with a space gave $rc"
echo "ok: folder with a space -> 0"

rc=$(e2e_exit_code "$probe" "$(e2e_winpath "$work/missing")")
[ "$rc" = 1 ] || e2e_fail "missing folder gave $rc"
echo "ok: missing folder -> 1"

rc=$(e2e_exit_code "$probe" "$(e2e_winpath "$work/a file")")
[ "$rc" = 1 ] || e2e_fail "a file instead of a folder gave $rc"
echo "ok: a file instead of a folder -> 1"

rc=$(e2e_exit_code "$probe")
[ "$rc" = 1 ] || e2e_fail "no argument gave $rc"
echo "ok: no argument -> 1"
