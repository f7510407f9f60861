#!/bin/bash
# Start-up behaviour of Quillo.exe as separate processes: second start, -QUIT, missing
# extension, missing or short setup information, -SAVEASADMIN, and the start-up save.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_startup
INIT_ERROR="Error initializing the application!\\nError code 0x%08X."
DELAY=0x61C

# A second start brings the open (minimised) dialog back and ends with 0.
opt_start -AUTOSTART
FIRST=$OPT_PID
drive find 1001 20000 minimize
opt_start
opt_wait
expect "second start exits with 0" "$OPT_EXIT" 0
drive find 1001 5000 expect-restored expect-count 1001 1 expect-foreground

# Broadcasts with another product's key are ignored; a restart request with ours restarts the
# program with the arguments it was started with.
drive find 1001 5000 minimize broadcast 0x83FE Quill0 sleep 1000 expect-minimized
drive find 1001 5000 broadcast 0x8405 Quillo gone 10000 find 1001 20000
OPT_PID=$FIRST
opt_wait
expect "restarted instance ended with 0" "$OPT_EXIT" 0
expect "restart keeps the arguments" "$(tr -d '\0' <"$OPT_DATA/(LWF)Cmd.lcf")" "-AUTOSTART"

# "-QUIT" ends the open instance; both processes exit with 0.
before=$(sha1sum <"$OPT_OPTIONS")
opt_start -QUIT
opt_wait
expect "-QUIT start exits with 0" "$OPT_EXIT" 0
drive no-window LWFWindow Quillo 10000 expect-count 1001 0
expect "-QUIT saves nothing" "$(sha1sum <"$OPT_OPTIONS")" "$before"

# Without Quillo32.dll: the start-up error with code 1, exit code 1, options untouched.
mv "$OPT_DIR/install/Quillo32.dll" "$OPT_DIR/install/Quillo32.off"
opt_start
drive find 50102 20000 expect-text 50102 "$(printf "$INIT_ERROR" 1)"
shot options_error_no_extension
drive find 50102 5000 click 1
opt_wait
expect "missing extension exits with 1" "$OPT_EXIT" 1
expect "missing extension leaves Options" "$(sha1sum <"$OPT_OPTIONS")" "$before"
mv "$OPT_DIR/install/Quillo32.off" "$OPT_DIR/install/Quillo32.dll"

# Missing or short setup information: the framework's error 0000F016, exit code 0.
for size in none 1325; do
  if [ $size = none ]; then opt_delete_record; else opt_write_record $size; fi
  opt_start
  drive find 50102 20000 expect-text 50102 "$(printf "$INIT_ERROR" 0xF016)" click 1
  opt_wait
  expect "setup information $size: exit code" "$OPT_EXIT" 0
done
opt_write_record 1326

# "-SAVEASADMIN" saves and ends without a window; a short options file is rewritten whole.
head -c 12 "$OPT_OPTIONS" >"$OPT_DIR/short" && mv "$OPT_DIR/short" "$OPT_OPTIONS"
wine reg add "$DESKTOP_KEY" /v MenuShowDelay /t REG_SZ /d 333 /f </dev/null >/dev/null 2>&1
opt_start -SAVEASADMIN
opt_wait
expect "-SAVEASADMIN exits with 0 by itself" "$OPT_EXIT" 0
expect "-SAVEASADMIN rewrites Options whole" "$(opt_size "$OPT_OPTIONS")" 2516
expect "-SAVEASADMIN took MenuShowDelay" "$(opt_i32 $DELAY)" 333
expect "MenuShowDelay written back" "$(reg_value "$DESKTOP_KEY" MenuShowDelay)" 333

opt_start -RESTARTASADMIN -SAVEASADMIN
opt_wait
expect "both admin switches: no dialog, exit 0" "$OPT_EXIT" 0

# Every start rewrites Options, even one cancelled at once.
wine reg delete "$DESKTOP_KEY" /v MenuShowDelay /f </dev/null >/dev/null 2>&1
opt_start
drive find 1001 20000 expect-text 1028 "1 second" click 2
opt_wait
expect "cancelled start exits with 0" "$OPT_EXIT" 0
expect "absent MenuShowDelay loads 1000" "$(opt_i32 $DELAY)" 1000
expect "absent MenuShowDelay is created" "$(reg_value "$DESKTOP_KEY" MenuShowDelay)" 1000
opt_finish
