# Helpers for the options program's end-to-end scenarios (tests/e2e/options_*.sh); sourced.
# Each scenario gets a scratch install folder (Quillo.exe beside Quillo32.dll) and data folder,
# a setup information record in the Wine registry pointing at them, and the UI driver.
QUILLO_ROOT=${QUILLO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QUILLO_BUILD=${QUILLO_BUILD:-$QUILLO_ROOT/build}
QUILLO_ARTIFACTS=${QUILLO_ARTIFACTS:-$QUILLO_BUILD/artifacts}
mkdir -p "$QUILLO_ARTIFACTS"
# shellcheck source=../../tools/wine-env.sh
source "$QUILLO_ROOT/tools/wine-env.sh"
quillo_wine_prefix
OPT_OWN_DISPLAY=
if [ -z "${DISPLAY:-}" ]; then
  quillo_display_start
  quillo_wine_start
  OPT_OWN_DISPLAY=1
fi

OPT_DRIVER=$QUILLO_BUILD/win32/tests/options_driver/options_driver.exe
OPT_FAILURES=0
SETUP_KEY='HKLM\Software\Larkwell'
DESKTOP_KEY='HKCU\Control Panel\Desktop'

# reg_value <key> <value> [view]: the data of a registry value ("" names the default value),
# "missing" when absent.
reg_value() {
  local args=(/v "$2") label=$2 out
  if [ -z "$2" ]; then args=(/ve); label='(Default)'; fi
  if out=$(wine reg query "$1" "${args[@]}" ${3:-} </dev/null 2>/dev/null | tr -d '\r' | grep -F "    $label    "); then
    echo "$out" | sed -E 's/^ *[^ ]+ +REG_[A-Z_]+ *//'
  else
    echo missing
  fi
}

# The setup record and the menu delay as they were, put back when the scenario ends.
OPT_SAVED_RECORD=$(reg_value "$SETUP_KEY" Quillo /reg:32)
OPT_SAVED_DELAY=$(reg_value "$DESKTOP_KEY" MenuShowDelay)
opt_cleanup() {
  if [ "$OPT_SAVED_RECORD" = missing ]; then
    opt_delete_record
  else
    wine reg add "$SETUP_KEY" /v Quillo /t REG_BINARY /d "$OPT_SAVED_RECORD" /f /reg:32 </dev/null >/dev/null 2>&1
  fi
  if [ "$OPT_SAVED_DELAY" = missing ]; then
    wine reg delete "$DESKTOP_KEY" /v MenuShowDelay /f </dev/null >/dev/null 2>&1
  else
    wine reg add "$DESKTOP_KEY" /v MenuShowDelay /t REG_SZ /d "$OPT_SAVED_DELAY" /f </dev/null >/dev/null 2>&1
  fi
  if [ -n "$OPT_OWN_DISPLAY" ]; then quillo_wine_stop; quillo_display_stop; fi
}
trap opt_cleanup EXIT

# opt_setup <name>: fresh scratch folders and a setup record pointing at them.
opt_setup() {
  OPT_DIR=$QUILLO_BUILD/e2e/$1
  rm -rf "$OPT_DIR"
  mkdir -p "$OPT_DIR/install" "$OPT_DIR/data"
  cp "$QUILLO_BUILD/win32/options/Quillo.exe" "$QUILLO_BUILD/win32/extension/Quillo32.dll" "$OPT_DIR/install/"
  OPT_DATA=$OPT_DIR/data
  OPT_OPTIONS=$OPT_DATA/Options.lcf
  opt_write_record 1326
}

# opt_write_record <size>: the setup information record (32-bit registry view).
opt_write_record() {
  local hex
  hex=$(python3 "$QUILLO_ROOT/tests/options_driver/setup_record.py" \
    "$(winepath -w "$OPT_DIR/install" 2>/dev/null)" "$(winepath -w "$OPT_DATA" 2>/dev/null)" "$1")
  wine reg add "$SETUP_KEY" /v Quillo /t REG_BINARY /d "$hex" /f /reg:32 </dev/null >/dev/null 2>&1
}

opt_delete_record() {
  wine reg delete "$SETUP_KEY" /v Quillo /f /reg:32 </dev/null >/dev/null 2>&1
}

# opt_start [arguments]: starts Quillo.exe in the background; OPT_PID is its wine process.
opt_start() {
  wine "$OPT_DIR/install/Quillo.exe" "$@" </dev/null >>"$OPT_DIR/quillo.log" 2>&1 &
  OPT_PID=$!
}

# opt_wait: waits (at most 30 s) for the started program; OPT_EXIT is its exit code.
opt_wait() {
  local waited=0
  while kill -0 "$OPT_PID" 2>/dev/null && [ $waited -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
  if kill -0 "$OPT_PID" 2>/dev/null; then
    kill "$OPT_PID" 2>/dev/null
    OPT_EXIT=timeout
  else
    wait "$OPT_PID"
    OPT_EXIT=$?
  fi
}

# drive <driver commands>: runs the UI driver; records a failure when a step fails.
drive() {
  local started=$SECONDS
  if ! wine "$OPT_DRIVER" "$@" </dev/null >"$OPT_DIR/driver.log" 2>&1; then
    echo "driver failed: $*"
    sed 's/^/  /' "$OPT_DIR/driver.log"
    OPT_FAILURES=$((OPT_FAILURES + 1))
    return 1
  fi
  echo "drove in $((SECONDS - started)) s: $1 $2 $3 ..."
}

# Fields of the "Options" file: opt_i32 <offset>, opt_u16 <offset>, opt_hex <offset> <length>.
opt_i32() { python3 -c "import struct,sys;d=open(sys.argv[1],'rb').read();print(struct.unpack_from('<i',d,int(sys.argv[2],0))[0])" "$OPT_OPTIONS" "$1"; }
opt_u16() { python3 -c "import struct,sys;d=open(sys.argv[1],'rb').read();print(struct.unpack_from('<H',d,int(sys.argv[2],0))[0])" "$OPT_OPTIONS" "$1"; }
opt_hex() { python3 -c "import sys;d=open(sys.argv[1],'rb').read();o=int(sys.argv[2],0);print(d[o:o+int(sys.argv[3])].hex())" "$OPT_OPTIONS" "$1" "$2"; }
opt_size() { stat -c %s "$1" 2>/dev/null || echo missing; }

# expect <what> <actual> <expected>
expect() {
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: got '$2', expected '$3'"
    OPT_FAILURES=$((OPT_FAILURES + 1))
  fi
}

shot() { import -window root "$QUILLO_ARTIFACTS/$1.png"; }

opt_finish() {
  if [ "$OPT_FAILURES" -eq 0 ]; then
    echo "PASS"
    return 0
  fi
  echo "$OPT_FAILURES check(s) failed"
  return 1
}
