# Sourced by the build, test and demo scripts: a private, offline Wine prefix for this checkout,
# shared within one run. Creates it on first use.
QUILLO_ROOT=${QUILLO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${WINEPREFIX:-$QUILLO_ROOT/build/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko prompts, no menu entries written into the Linux home.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

quillo_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1
    # Menus and tool tips draw in Tahoma, whose linked fonts (as on Windows) are absent here: link
    # the system's CJK font instead, so that names in Chinese or Japanese show their glyphs.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    wineserver -w
  fi
}

# A persistent server with its helper processes started once, detached from any pipe: without
# this every program run through a pipe (ctest) waits seconds for Wine's services to let go.
quillo_wine_start() {
  wineserver -p
  wine wineboot </dev/null >/dev/null 2>&1
}

quillo_wine_stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}

# A virtual display for GUI tests unless one is set already. Sets QUILLO_XVFB_PID when started.
quillo_display_start() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${QUILLO_FORCE_XVFB:-}" ]; then return 0; fi
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  QUILLO_XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

quillo_display_stop() {
  if [ -n "${QUILLO_XVFB_PID:-}" ]; then
    kill "$QUILLO_XVFB_PID" 2>/dev/null
    wait "$QUILLO_XVFB_PID" 2>/dev/null
    unset QUILLO_XVFB_PID
  fi
}
