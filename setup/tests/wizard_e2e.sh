# Helpers of the wizard's end-to-end scenarios (sourced after tests/e2e/lib.sh): the UI driver,
# the packed Setup.exe, and running Setup in the background.

driver=$QUILLO_BUILD/win32/setup/tests/setup_wizard_driver.exe
[ -f "$driver" ] || e2e_fail "the wizard driver is not built"
[ -f "$QUILLO_DIST/Setup.exe" ] || e2e_fail "dist/Setup.exe is not built"
work=$QUILLO_ARTIFACTS/work

drive() {  # drive <driver commands...>: fails the scenario with the driver's message
  local out
  out=$(timeout 60 wine "$driver" "$@" </dev/null 2>/dev/null) || e2e_fail "driver: $(echo "$out" | tail -1)"
  printf '%s\n' "$out"
}

start_setup() {  # start_setup <folder>: a copy of Setup.exe runs there in the background
  mkdir -p "$1"
  [ -f "$1/Setup.exe" ] || cp "$QUILLO_DIST/Setup.exe" "$1/Setup.exe"
  rm -f "$1/rc"
  (cd "$1" && timeout 90 wine Setup.exe </dev/null >/dev/null 2>&1; echo $? >"$1/rc") &
}

expect_exit() {  # expect_exit <folder> <code>: waits for the Setup started there to end
  for _ in $(seq 1 100); do [ -s "$1/rc" ] && break; sleep 0.1; done
  [ "$(cat "$1/rc" 2>/dev/null)" = "$2" ] || e2e_fail "Setup in $1 exited '$(cat "$1/rc" 2>/dev/null)'"
}
