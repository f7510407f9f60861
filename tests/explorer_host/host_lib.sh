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

# host_setup_info INSTALL_DIR DATA_DIR: writes the setup information record (1326 bytes, in the
# 32-bit registry view where Setup writes it) with a custom data folder. Windows paths.
host_setup_info() {
  local hex
  hex=$(python3 - "$1" "$2" <<'PY'
import struct, sys
record = bytearray(1326)
struct.pack_into('<h', record, 0, 1)        # recordMarker
struct.pack_into('<h', record, 16, 1)       # customDataFolder
record[20:20 + len(sys.argv[1])] = sys.argv[1].encode('latin-1')
record[280:280 + len(sys.argv[2])] = sys.argv[2].encode('latin-1')
print(record.hex())
PY
)
  wine reg add 'HKLM\Software\Larkwell' /v Quillo /t REG_BINARY /d "$hex" /f /reg:32 \
    </dev/null >/dev/null 2>&1
}

host_remove_setup_info() {
  wine reg delete 'HKLM\Software\Larkwell' /v Quillo /f /reg:32 </dev/null >/dev/null 2>&1
}

# host_options FILE NAME=VALUE...: writes an "Options" file holding the defaults up to the last
# field named; int fields by name, startMenuFolder as text. Colours are not written, so the
# record's colour groups keep their defaults.
host_options() {
  local file=$1; shift
  python3 - "$file" "$@" <<'PY'
import struct, sys
ints = {'includeHidden': (0x000, -1), 'multiColumn': (0x00C, 0), 'includeAllExtensions': (0x618, 1),
        'menuDelay': (0x61C, 0), 'dragFoldersOnly': (0x82C, 1), 'dragOpenTarget': (0x830, 0),
        'recentEnabled': (0x834, 1), 'recentCount': (0x838, 16), 'recentSorted': (0x83C, 1),
        'recentClearAtLogon': (0x840, 0), 'menuPosition': (0x844, 1), 'itemHeightAdd': (0x848, 0),
        'dragMoveToParent': (0x84C, 1), 'dragDeleteEmptyFolder': (0x850, 0),
        'favoritesEnabled': (0x854, 1), 'favoritesCount': (0x858, 16), 'subOpenArea': (0x85C, 0),
        'subOpenAreaWidth': (0x860, -1), 'sizeInfoShown': (0x96C, 0),
        'sizeInfoStartDisabled': (0x970, 1), 'sizeUnits': (0x974, 0), 'includeSuperHidden': (0x978, 0)}
record = bytearray(0x97C)
struct.pack_into('<hh', record, 0x008, 10, 1)
record[0x010] = ord('*')
for offset, value in ints.values():
    struct.pack_into('<i', record, offset, value)
for arg in sys.argv[2:]:
    name, value = arg.split('=', 1)
    if name == 'startMenuFolder':
        record[0x728:0x728 + 260] = value.encode('latin-1').ljust(260, b'\0')[:260]
    else:
        struct.pack_into('<i', record, ints[name][0], int(value))
open(sys.argv[1], 'wb').write(record)
PY
}

# host_reg_exists BITS KEY: true when the key exists in that registry view.
host_reg_exists() {
  local reg=(wine reg)
  [ "$1" = 64 ] && reg=(/usr/lib/wine/wine64 reg)
  "${reg[@]}" query "$2" </dev/null >/dev/null 2>&1
}

# host_installation: a scratch installation under $QUILLO_ARTIFACTS/work (install and data
# folders, the setup information pointing at them, files a.txt and b.txt and a folder sub).
# Sets work (Unix path) and files (Windows path of the files folder).
host_installation() {
  work=$QUILLO_ARTIFACTS/work
  mkdir -p "$work/install" "$work/data" "$work/files/sub"
  echo a > "$work/files/a.txt"
  echo b > "$work/files/b.txt"
  files=$(e2e_winpath "$work/files")
  host_setup_info "$(e2e_winpath "$work/install")" "$(e2e_winpath "$work/data")"
}
