#!/bin/bash
# A new command for files of unknown type: Apply writes it into HKCR\Unknown, restarting the
# program elevated ("-RESTARTASADMIN") when it is not, and the dialog is open again afterwards.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_elevation
COMMAND_KEY='HKCR\Unknown\shell\open\command'
wine reg delete 'HKCR\Unknown\shell\open' /f </dev/null >/dev/null 2>&1
wanted='"C:\Tools\Viewer.exe" "%1"'

opt_start
drive find 1001 20000 settext 1019 "$wanted" click 3
drive find 1001 20000 expect-text 1019 "$wanted"
expect "command written" "$(reg_value "$COMMAND_KEY" '')" "$wanted"
expect "shell default is empty" "$(reg_value 'HKCR\Unknown\shell' '')" ""
expect "stored in Options" "$(opt_hex 0x624 27)" "$(printf '%s' "$wanted" | xxd -p)00"
# Wine runs the program elevated (IsUserAnAdmin is 1): Apply writes at once, without the
# elevated restart, so the program is still the first instance, started without switches.
expect "written in place: still the first instance" "$(kill -0 "$OPT_PID" 2>/dev/null && echo running)" running
expect "no elevated restart" "$(tr -d '\0' <"$OPT_DATA/(LWF)Cmd.lcf")" ""

# An empty command removes it again (OK closes the program).
drive find 1001 5000 settext 1019 "" click 1
opt_wait
expect "OK ends the program with 0" "$OPT_EXIT" 0
expect "command removed" "$(reg_value "$COMMAND_KEY" '')" missing
expect "open key removed" "$(wine reg query 'HKCR\Unknown\shell\open' </dev/null >/dev/null 2>&1; echo $?)" 1
expect "shell key kept" "$(wine reg query 'HKCR\Unknown\shell' </dev/null >/dev/null 2>&1; echo $?)" 0
opt_finish
