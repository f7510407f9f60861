# Helpers for end-to-end scenarios (sourced). The runner sets QUILLO_ROOT, QUILLO_BUILD,
# QUILLO_DIST, QUILLO_ARTIFACTS, WINEPREFIX and DISPLAY.

# Stops the scenario with a message.
e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# e2e_check <description> <command...>: runs the command; a non-zero exit fails the scenario.
e2e_check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    e2e_fail "$what"
  fi
}

# The Windows form of a Unix path (Z: is /).
e2e_winpath() {
  printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"
}

# Runs a Windows program and prints its exit code (Wine maps a low byte of 0 to 1 for codes
# that are multiples of 256; the programs here use small codes).
e2e_exit_code() {
  local rc=0
  wine "$@" </dev/null >/dev/null 2>&1 || rc=$?
  echo "$rc"
}

# Saves a screenshot of the virtual display as an artefact.
e2e_screenshot() {
  import -window root "$QUILLO_ARTIFACTS/$1.png"
}

# Registry value query in a named view: e2e_reg_query <key> <value> 32|64
e2e_reg_query() {
  wine reg query "$1" /v "$2" "/reg:$3" </dev/null 2>/dev/null | tr -d '\r'
}
