# The wizard's other roads: quitting from the license page (asked, answered No, then Back and
# Cancel), an older version removed first, a script's own agreement file and no folder page, a
# fatal script error on the progress page that runs phase 3, a script without phase 1, an
# agreement file that cannot be read, and a failure in phase 2 after Finish.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
set -u

source "$QUILLO_ROOT/setup/tests/wizard_e2e.sh"

# 1. The shipped script: No on the license page asks first; No keeps the page, Back returns to the
#    welcome page, whose Cancel quits without asking. Nothing is installed.
SETUP='Setup - Quillo v5.3.3'
start_setup "$work/quit"
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 click 2 >/dev/null
drive message Setup 'If you quit Setup now, it will not be completed' 7 5000 >/dev/null
drive page "$SETUP" 1008 2000 click 3 page "$SETUP" 1007 5000 click 2 gone 5000 >/dev/null
expect_exit "$work/quit" 0
[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Quillo" ] || e2e_fail "something was installed"
echo "ok: quitting is asked on the license page; Back and Cancel leave nothing installed"

# 2. An older version registered only by its uninstall information must be removed first: Yes
#    runs its uninstaller (here reg.exe deleting that information) and keeps the welcome page;
#    the next Next finds nothing and goes on.
old_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo'
wine reg add "$old_key" /v UninstallString /d "C:\windows\system32\reg.exe delete $old_key /f" \
  /reg:32 /f </dev/null >/dev/null 2>&1 || e2e_fail "older version not registered"
start_setup "$work/older"
drive page "$SETUP" 1007 20000 click 1 \
  message Setup 'A previous version of Quillo is already installed' 6 5000 >/dev/null
for _ in $(seq 1 100); do
  wine reg query "$old_key" /reg:32 </dev/null >/dev/null 2>&1 || break
  sleep 0.1
done
wine reg query "$old_key" /reg:32 </dev/null >/dev/null 2>&1 && e2e_fail "the older uninstaller did not run"
drive page "$SETUP" 1007 10000 click 1 page "$SETUP" 1008 5000 click 2 \
  message Setup 'If you quit Setup now' 6 5000 gone 5000 >/dev/null
expect_exit "$work/older" 0
echo "ok: an older version is removed through its uninstaller, and the welcome page stays"

# 3. A script of its own beside Setup.exe: its agreement file, no #ASKPATH# (straight from the
#    license to the progress page), and an Error command whose message ends Setup after phase 3.
mkdir -p "$work/script"
cp "$QUILLO_DIST/Setup.exe" "$work/script/"
rm -rf "$WINEPREFIX/drive_c/Wizard Paths"
printf 'Terms of the Paths test.\nSecond line.' >"$work/script/terms.txt"
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'Set #INSTALLPATH#, C:\Wizard Paths' 'PhaseEnd' 'PhaseBegin 1' 'CreateDir #INSTALLPATH#\phase one' \
  'Error 42' 'CreateDir #INSTALLPATH#\after the error' 'PhaseEnd' 'PhaseBegin 3' \
  'CreateDir #INSTALLPATH#\phase three' 'PhaseEnd' >"$work/script/Setup.lis"
SETUP='Setup - Paths v1.0'
start_setup "$work/script"
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 \
  expect-text 1008 $'Terms of the Paths test.\r\nSecond line.' click 1 >/dev/null
drive page "$SETUP" 1017 5000 >/dev/null
sleep 0.5
e2e_screenshot fatal-error-on-progress-page
drive message Setup 'A critical error (code 42) has occurred' 1 10000 >/dev/null
drive page "$SETUP" 1017 100 gone 10000 >/dev/null
expect_exit "$work/script" 0
paths=$WINEPREFIX/drive_c/Wizard\ Paths
[ -d "$paths/phase one" ] && [ -d "$paths/phase three" ] || e2e_fail "phase 1 or phase 3 did not run"
[ ! -e "$paths/after the error" ] || e2e_fail "phase 1 went on after the fatal error"
echo "ok: an own agreement file, no folder page, a fatal error runs phase 3 and ends Setup"

# 4. A script without phase 1 does not finish as if installed: message 1001, and Setup quits.
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'PhaseEnd' >"$work/script/Setup.lis"
start_setup "$work/script"
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 click 1 >/dev/null
drive message Setup 'A critical error has occured' 1 10000 >/dev/null
expect_exit "$work/script" 0
echo "ok: a script without phase 1 ends with message 1001 instead of the finish page"

# 5. An agreement file that cannot be read: message 1001 on the license page, and Setup quits.
sed -i 's/terms\.txt/missing terms.txt/' "$work/script/Setup.lis"
start_setup "$work/script"
drive page "$SETUP" 1007 20000 click 1 >/dev/null
sleep 0.3
e2e_screenshot missing-agreement
drive message Setup 'A critical error has occured' 1 5000 >/dev/null
for _ in $(seq 1 50); do [ -s "$work/script/rc" ] && break; sleep 0.1; done
expect_exit "$work/script" 0
echo "ok: an unreadable agreement file ends Setup with message 1001"

# 6. A failure in phase 2 (after Finish) is shown, and phase 3 runs before Setup ends.
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'Set #INSTALLPATH#, C:\Wizard Paths' 'PhaseEnd' 'PhaseBegin 1' 'PhaseEnd' 'PhaseBegin 2' \
  'Error 7' 'PhaseEnd' 'PhaseBegin 3' 'CreateDir #INSTALLPATH#\after phase two' 'PhaseEnd' \
  >"$work/script/Setup.lis"
start_setup "$work/script"
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 click 1 \
  page "$SETUP" 1023 10000 expect-visible 1023 0 click 1 \
  message Setup 'A critical error (code 7) has occurred' 1 10000 >/dev/null
expect_exit "$work/script" 0
[ -d "$paths/after phase two" ] || e2e_fail "phase 3 did not run after the failed phase 2"
echo "ok: a failed phase 2 is reported and followed by phase 3"

# 7. Cancel while phase 1 runs on its worker: the question is the one expanded before the worker
#    started, although the script has changed #SETUPMODE# since; No keeps the installation going,
#    Yes stops the running command and quits.
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'Set #INSTALLPATH#, C:\Wizard Paths' 'PhaseEnd' 'PhaseBegin 1' 'Set #SETUPMODE#, Changed' \
  'Call C:\windows\system32\cmd.exe, /c ping -n 30 127.0.0.1, , HIDE' 'PhaseEnd' >"$work/script/Setup.lis"
start_setup "$work/script"
started=$SECONDS
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 click 1 page "$SETUP" 1021 10000 \
  click 2 message Setup 'If you quit Setup now, it will not be completed' 7 5000 >/dev/null
drive page "$SETUP" 1021 2000 click 2 message Setup 'If you quit Setup now' 6 5000 >/dev/null
expect_exit "$work/script" 0
[ $((SECONDS - started)) -lt 25 ] || e2e_fail "quitting did not stop the running command"
echo "ok: Cancel during phase 1 asks the question expanded before the worker started"

# 8. The upgrade message of #UPGMSG1# ("<version> <text>") shows the same text at every Next on
#    the welcome page (the first one also asks to remove the older version, answered Cancel).
hex=$(python3 "$QUILLO_ROOT/tests/options_driver/setup_record.py" 'C:\Older Paths' 'C:\Older Paths\Data')
wine reg add 'HKLM\Software\Larkwell' /v Paths /t REG_BINARY /d "$hex" /f /reg:32 </dev/null >/dev/null 2>&1 \
  || e2e_fail "older record not written"
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'Set #UPGMSG1#, 9.9 An upgrade notice for you' 'Set #REMOVE#, 9.9' 'PhaseEnd' 'PhaseBegin 1' 'PhaseEnd' \
  >"$work/script/Setup.lis"
start_setup "$work/script"
for round in 1 2; do
  drive page "$SETUP" 1007 20000 click 1 message Setup 'An upgrade notice for you' 1 5000 \
    message Setup 'A previous version of Paths is already installed' 2 5000 >/dev/null
done
drive page "$SETUP" 1007 5000 click 2 gone 5000 >/dev/null
expect_exit "$work/script" 0
wine reg delete 'HKLM\Software\Larkwell' /v Paths /f /reg:32 </dev/null >/dev/null 2>&1
echo "ok: the upgrade message keeps its text at every Next"

# 9. Start-up failures in wizard mode: a Setup.exe without payload or loose script, and a loose
#    script with LF-only line ends (one long line: its phase 0 is never found). Both show message
#    1001 and end with 13.
mkdir -p "$work/bare" "$work/lf"
cp "$QUILLO_BUILD/win32/setup/Setup.exe" "$work/bare/Setup.exe"
cp "$QUILLO_DIST/Setup.exe" "$work/lf/Setup.exe"
printf ';Setup script\nPhaseBegin 0\nSet #PROGRAM#, LF\nPhaseEnd\nPhaseBegin 1\nPhaseEnd\n' >"$work/lf/Setup.lis"
for case in bare lf; do
  start_setup "$work/$case"
  drive message Setup 'A critical error has occured. Setup can not continue.' 1 20000 >/dev/null
  expect_exit "$work/$case" 13
done
echo "ok: no payload, or an LF-only script, fails start-up with message 1001 and 13"

# 10. A script that asks for a restart (#REBOOT# defined by phase 2): after Finish the restart
#     question 1011; Cancel ends Setup with 0 and without restarting.
printf '%s\r\n' 'PhaseBegin 0' 'Set #PROGRAM#, Paths' 'Set #VERSION#, 1.0' 'Set #EULA#, terms.txt' \
  'Set #INSTALLPATH#, C:\Wizard Paths' 'PhaseEnd' 'PhaseBegin 1' 'PhaseEnd' 'PhaseBegin 2' 'Set #REBOOT#, 1' \
  'PhaseEnd' >"$work/script/Setup.lis"
start_setup "$work/script"
drive page "$SETUP" 1007 20000 click 1 page "$SETUP" 1008 5000 click 1 page "$SETUP" 1023 10000 click 1 \
  message Setup 'Your computer must be restarted to complete Setup.' 2 10000 >/dev/null
expect_exit "$work/script" 0
echo "ok: a restart asked for by the script is offered after Finish; Cancel ends Setup"
