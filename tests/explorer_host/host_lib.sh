# Helpers for scenarios that drive the extension through explorer_host (sourced, bash).
# Needs WINEPREFIX (and DISPLAY for shown menus) and QUILLO_BUILD, the build folder.

# host_run BITS ARGS...: runs explorer_host of build/win32 or build/win64 (BITS 32 or 64).
host_run() {
  local bits=$1; shift
  wine "$QUILLO_BUILD/win$bits/tests/explorer_host/explorer_host.exe" "$@" </dev/null 2>/dev/null |
    tr -d '\r'
}

# host_register BITS [/u]: regsvr32 of that build's DLL (Wine's regsvr32 runs the one of the
# DLL's bitness); prints nothing, returns regsvr32's code.
host_register() {
  local bits=$1; shift
  wine regsvr32 /s "$@" "$(winepath -w "$QUILLO_BUILD/win$bits/extension/Quillo$bits.dll")" \
    </dev/null >/dev/null 2>&1
}

# host_reg_tree BITS KEY: the key and everything below it in that registry view, read by a
# reg.exe of that bitness, one line per key ("path") and per value ("path|name=value").
host_reg_tree() {
  local reg=(wine reg)
  [ "$1" = 64 ] && reg=(/usr/lib/wine/wine64 reg)
  "${reg[@]}" query "$2" /s </dev/null 2>/dev/null | tr -d '\r' | awk '
    /^HKEY_/ { key = $0; sub(/^HKEY_/, "", key); print key; next }
    /^    / { line = substr($0, 5); n = index(line, "    REG_SZ    ");
              if (n) { name = substr(line, 1, n - 1); if (name == "(Default)") name = "@";
                       print key "|" name "=" substr(line, n + 14) } }' | sort
}

# host_setup_info INSTALL_DIR DATA_DIR: writes the setup information record (in the 32-bit
# registry view where Setup writes it) with DATA_DIR as custom data folder. Windows paths.
host_setup_info() {
  host_run 32 --write-setup-info "$1" "$2" >/dev/null
}

host_remove_setup_info() {
  host_run 32 --remove-setup-info >/dev/null
}

# host_options FILE NAME=VALUE...: writes an "Options" file (Unix path) with the defaults and
# the named int32 fields, 16-bit fields (toolTipSpeed, toolTipsEnabled) or texts
# (startMenuFolder, alternateFileManager, includeExtensions) changed.
host_options() {
  local file=$1; shift
  host_run 32 --write-options "$(winepath -w "$file")" "$@" >/dev/null
}

# host_reg_exists BITS KEY: true when the key exists in that registry view.
host_reg_exists() {
  local reg=(wine reg)
  [ "$1" = 64 ] && reg=(/usr/lib/wine/wine64 reg)
  "${reg[@]}" query "$2" </dev/null >/dev/null 2>&1
}

# host_show BITS NAME SCRIPT ARGS...: shows the menu with SCRIPT (see explorer_host.cpp) and
# answers its screenshot steps with $QUILLO_ARTIFACTS/<shot>.png. The host's output goes to
# $QUILLO_ARTIFACTS/NAME.txt, the extension's trace to $QUILLO_ARTIFACTS/NAME.trace. The run is
# ended after QUILLO_HOST_TIMEOUT seconds (default 120).
host_show() {
  local bits=$1 name=$2 script=$3; shift 3
  local shots=$QUILLO_ARTIFACTS/shots-$name
  mkdir -p "$shots"
  rm -f "$QUILLO_ARTIFACTS/$name.trace"
  (
    while :; do
      for ready in "$shots"/*.ready; do
        [ -e "$ready" ] || continue
        local shot
        shot=$(basename "$ready" .ready)
        import -window root "$QUILLO_ARTIFACTS/$shot.png"
        rm -f "$ready"
        touch "$shots/$shot.done"
      done
      sleep 0.2
    done
  ) &
  local watcher=$!
  QUILLO_TRACE="$(e2e_winpath "$QUILLO_ARTIFACTS/$name.trace")" timeout "${QUILLO_HOST_TIMEOUT:-120}" \
    wine "$QUILLO_BUILD/win$bits/tests/explorer_host/explorer_host.exe" \
    --shots "$(e2e_winpath "$shots")" --show "$script" "$@" </dev/null 2>/dev/null |
    tr -d '\r' >"$QUILLO_ARTIFACTS/$name.txt"
  kill "$watcher" 2>/dev/null
  wait "$watcher" 2>/dev/null
  touch "$QUILLO_ARTIFACTS/$name.trace"
}

# host_filled TRACE LEVEL: the texts the extension filled into that level, one per line
# (a separator shows as an empty line), from the last time the level was built.
host_filled() {
  tr -d '\r' <"$1" | awk -v level="$2" '
    / open-level level=/ { if ($0 ~ " open-level level=" level " ") { done = 1 } }
    / fill level=/ { split($0, f, " fill level="); split(f[2], g, " ");
                     if (g[1] == level) { if (done) { out = ""; done = 0 }
                       t = $0; sub(/.* text=/, "", t); out = out t "\n" } }
    END { printf "%s", out }'
}

# host_installed WORK: WORK/install and WORK/data made, and the setup information pointing at
# them, as Setup leaves an installed product.
host_installed() {
  mkdir -p "$1/install" "$1/data"
  host_setup_info "$(e2e_winpath "$1/install")" "$(e2e_winpath "$1/data")"
}

# host_installation: a scratch installation under $QUILLO_ARTIFACTS/work (install and data
# folders, the setup information pointing at them, files a.txt and b.txt and a folder sub).
# Sets work (Unix path) and files (Windows path of the files folder).
host_installation() {
  work=$QUILLO_ARTIFACTS/work
  host_installed "$work"
  mkdir -p "$work/files/sub"
  echo a > "$work/files/a.txt"
  echo b > "$work/files/b.txt"
  files=$(e2e_winpath "$work/files")
}

# host_logging_opener WORK: files ending ".qlog" open with a copy of the logging program,
# WORK/bin/opener.exe, in both registry views. Sets logger (its Unix path).
host_logging_opener() {
  logger=$1/bin/opener.exe
  mkdir -p "$1/bin"
  cp "$QUILLO_BUILD/win32/tests/explorer_host/log_args.exe" "$logger"
  local view
  for view in 32 64; do
    wine reg add 'HKCR\.qlog' /ve /d QuilloTestLog /f /reg:$view </dev/null >/dev/null 2>&1
    wine reg add 'HKCR\QuilloTestLog\shell\open\command' /ve /d "\"$(e2e_winpath "$logger")\" \"%1\"" \
      /f /reg:$view </dev/null >/dev/null 2>&1
  done
}

# host_drop BITS NAME SCRIPT LINGER_MS TARGET SOURCE...: host_show of a right-button drop of the
# SOURCEs onto TARGET (Unix paths), the host lingering LINGER_MS after its menu closed so that
# what the handler started can finish; false when the host did not get through its menu.
host_drop() {
  local bits=$1 name=$2 script=$3 linger=$4 target=$5 source
  shift 5
  local sources=()
  for source in "$@"; do sources+=("$(e2e_winpath "$source")"); done
  host_show "$bits" "$name" "$script" --linger "$linger" --drag "$(e2e_winpath "$target")" "${sources[@]}"
  grep -q '^after-menu ' "$QUILLO_ARTIFACTS/$name.txt"
}

# host_leak_figure OUT PHASE NAME: one figure of the stand-in's "leak phase=..." lines.
host_leak_figure() {
  grep "^leak phase=$2 " "$1" | sed -E "s/.* $3=([0-9]+).*/\1/"
}

# host_leak_check OUT BITS: the leak figures of a --rounds run (OUT: the stand-in's output),
# printed and judged after the warm-up round: no popup survives; GDI objects, kernel handles
# and threads stay flat; private bytes grow by at most 512 KiB (two rounds' worth of the
# calibration's 1000 leaked blocks: 2.6 KB lost per round of 200 would cross it).
host_leak_check() {
  local out=$1 bits=$2 gdi handles threads bytes
  grep '^leak' "$out"
  [ "$(host_leak_figure "$out" after menus_alive)" = 0 ] || e2e_fail "$bits: popups survive"
  growth() { echo $(( $(host_leak_figure "$out" after "$1") - $(host_leak_figure "$out" warm "$1") )); }
  gdi=$(growth gdi) handles=$(growth handles) threads=$(growth threads) bytes=$(growth private_bytes)
  echo "figures $bits: growth after warm-up: gdi=$gdi handles=$handles threads=$threads private bytes=$bytes"
  [ "$gdi" -le 2 ] || e2e_fail "$bits: GDI objects grow ($gdi)"
  [ "$handles" -le 2 ] || e2e_fail "$bits: handles grow ($handles)"
  [ "$threads" -le 1 ] || e2e_fail "$bits: threads outlive their menus ($threads)"
  [ "$bytes" -le 524288 ] || e2e_fail "$bits: private bytes grow ($bytes)"
}
