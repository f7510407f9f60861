#!/bin/bash
# The update check against a local HTTP server: the setup record's version address names
# 127.0.0.1 and the server's port, as Setup would name the vendor's server (the client honours a
# port written in the address). The server answers per the mode file: a new, the same, a short
# or a malformed version, 404, a redirection, a reply that is not HTTP, or silence. Checked: the
# automatic check at start (announced once, once a day, not when switched off), "Check now!"
# with every answer, an unreachable server, and the "Automatic update check" choice.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_update
SERVER_DIR=$OPT_DIR/server
STATE=$OPT_DATA/'(LWF)UpdateCheck.lcf'
TITLE="Quillo Update Check"
mkdir -p "$SERVER_DIR"
echo new >"$SERVER_DIR/mode"

python3 - "$SERVER_DIR" >"$SERVER_DIR/server.log" 2>&1 <<'PY' &
import os, socket, sys, threading, time
folder = sys.argv[1]
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(16)
port = server.getsockname()[1]
def ok(body, length=True):
    head = b"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"
    return head + (b"Content-Length: %d\r\n" % len(body) if length else b"") + b"\r\n" + body
REPLIES = {
    "new": ok(b"5.3.4"),
    "same": ok(b"  5.3.3 (current)", length=False),
    "short": ok(b"5.3\r\n"),
    "404": b"HTTP/1.0 404 Not Found\r\n\r\n",
    "redirect": b"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:%d/moved/QL_VER.TXT\r\n\r\n" % port,
    "garbage": b"5.3.4 and no status line\r\n\r\n5.3.4",
}
def serve(connection):
    request = b""
    connection.settimeout(20)
    try:
        while b"\r\n\r\n" not in request and len(request) < 65536:
            chunk = connection.recv(1500)
            if not chunk:
                break
            request += chunk
        with open(folder + "/requests.log", "ab") as log:
            log.write(request)
        mode = open(folder + "/mode").read().strip()
        if b" /moved/" in request or b"/moved/QL_VER.TXT HTTP" in request:
            connection.sendall(ok(b"6.0.0"))
        elif mode == "silent":
            time.sleep(40)
        else:
            connection.sendall(REPLIES[mode])
    finally:
        connection.close()
open(folder + "/port.tmp", "w").write(str(port))
os.rename(folder + "/port.tmp", folder + "/port")
while True:
    connection, _ = server.accept()
    threading.Thread(target=serve, args=(connection,), daemon=True).start()
PY
SERVER_PID=$!
trap 'kill $SERVER_PID 2>/dev/null; opt_cleanup' EXIT
for _ in $(seq 50); do [ -s "$SERVER_DIR/port" ] && break; sleep 0.1; done
PORT=$(cat "$SERVER_DIR/port")
URL="http://127.0.0.1:$PORT/PAD/QL_VER.TXT"

# write_record <version address>: the setup record with the version and download addresses.
write_record() {
  local hex
  hex=$(python3 - "$QUILLO_ROOT/tests/options_driver" "$(winepath -w "$OPT_DIR/install" 2>/dev/null)" \
    "$(winepath -w "$OPT_DATA" 2>/dev/null)" "$1" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from setup_record import record
body = bytearray(record(sys.argv[2], sys.argv[3]))
body[800:800 + len(sys.argv[4])] = sys.argv[4].encode()
download = b"http://127.0.0.1/download"
body[1060:1060 + len(download)] = download
print(body.hex().upper())
PY
)
  wine reg add "$SETUP_KEY" /v Quillo /t REG_BINARY /d "$hex" /f /reg:32 </dev/null >/dev/null 2>&1
}
write_record "$URL"

requests() { grep -c '^GET ' "$SERVER_DIR/requests.log" 2>/dev/null || echo 0; }
state_text() { python3 -c "import sys;d=open(sys.argv[1],'rb').read();print(d[:264].split(b'\0')[0].decode().strip())" "$STATE"; }
state_time() { python3 -c "import struct,sys;print(struct.unpack_from('<q',open(sys.argv[1],'rb').read(),264)[0])" "$STATE"; }
set_state() { python3 -c "import struct,sys;open(sys.argv[1],'wb').write(struct.pack('<264sq',sys.argv[2].encode(),int(sys.argv[3])))" "$STATE" "$1" "$2"; }
# wait_requests <n>: up to 20 s for the server to have seen n requests.
wait_requests() { for _ in $(seq 200); do [ "$(requests)" -ge "$1" ] && break; sleep 0.1; done; }
close_options() { drive find 1001 20000 click 2; opt_wait; }

# --- Automatic check at start: due (never checked), a new version is announced ---------------
opt_start
drive find-title "$TITLE" 51031 30000 wait-text 51031 "New version available" 10000 \
  expect-text 51030 "5.3.4" expect-text 51028 "5.3.3" expect-text 51002 "Quillo V5.3.3" expect-enabled 1 1
shot options_update_announced
drive find-title "$TITLE" 51031 5000 click 2 gone 5000
close_options
expect "one request" "$(requests)" 1
expect "absolute request with the host and port" "$(head -c 200 "$SERVER_DIR/requests.log" | tr -d '\r' | head -2 | tr '\n' '|')" \
  "GET $URL HTTP/1.0|Host: 127.0.0.1:$PORT|"
expect "state file of 272 bytes" "$(opt_size "$STATE")" 272
expect "stored version text" "$(state_text)" "5.3.4"
now=$(date +%s)
expect "stored time is now" "$(( $(state_time) > now - 120 && $(state_time) <= now ))" 1

# Checked less than a day ago: no request at the next start.
opt_start
drive find 1001 20000 sleep 1500
close_options
expect "not checked again within a day" "$(requests)" 1

# A day later with the version already announced: checked, but nothing shown.
set_state "5.3.4" $(( $(date +%s) - 86401 ))
opt_start
wait_requests 2
drive find 1001 20000 sleep 1500 no-window "#32770" "$TITLE" 1000
expect "checked again after a day" "$(requests)" 2
close_options
expect "time of the check stored" "$(( $(state_time) > $(date +%s) - 120 ))" 1

# A day later again, with a different version behind a redirection: announced again.
echo redirect >"$SERVER_DIR/mode"
set_state "5.3.4" $(( $(date +%s) - 90000 ))
opt_start
drive find-title "$TITLE" 51031 30000 wait-text 51031 "New version available" 10000 expect-text 51030 "6.0.0" \
  click 2 gone 5000
close_options
expect "redirection followed: two more requests" "$(requests)" 4
expect "new text stored" "$(state_text)" "6.0.0"

# Switched off: never contacted, however old the last check.
set_state "5.3.4" -1
opt_start
drive find 1001 20000 sleep 1500
expect "switched off: no request" "$(requests)" 4

# The daily timer (the framework's hourly timer, fired here 24 times at once): switched off it
# contacts nobody; with a check due, the 24th hour starts one, the 23rd does not.
echo same >"$SERVER_DIR/mode"
drive timer LWFPhantom 0x4321 24 sleep 1500
expect "switched off: the daily timer contacts nobody" "$(requests)" 4
set_state "5.3.4" $(( $(date +%s) - 90000 ))
drive timer LWFPhantom 0x4321 23 sleep 1500
expect "23 hours later: no check yet" "$(requests)" 4
drive timer LWFPhantom 0x4321 1
wait_requests 5
expect "the 24th hour checks" "$(requests)" 5
sleep 1
expect "the timer's check stored its time" "$(( $(state_time) > $(date +%s) - 120 ))" 1
set_state "5.3.4" -1

# --- "Check now!" with every kind of answer ---------------------------------------------------
drive find 1001 5000 click-async 1004 find 51006 10000 expect-check 51026 0
# check_now <mode> <status> [driver checks]: a manual check against the server in that mode.
check_now() {
  echo "$1" >"$SERVER_DIR/mode"
  drive find 51006 5000 click-async 51027 find-title "$TITLE" 51031 10000 wait-text 51031 "$2" 25000 "${@:3}"
  shot "options_update_$1"
  drive find-title "$TITLE" 51031 5000 click 2 find 51006 5000
}
check_now same "No update available" expect-text 51030 "  5.3.3 (current)" expect-enabled 1 0
check_now short "Version format error" expect-enabled 1 0
check_now 404 "Version download error"
check_now garbage "Version download error"
check_now redirect "New version available" expect-text 51030 "6.0.0" expect-enabled 1 1
started=$SECONDS
check_now silent "Version download error"
expect "a silent server times out within 25 s" "$(( SECONDS - started < 30 ))" 1
expect "manual checks keep the switched-off choice" "$(state_time)" -1

# The choice: switched on from off stores 0 (the next trigger checks at once), off stores -1.
drive find 51006 5000 click 51026 click 1
expect "switched on: time 0" "$(state_time)" 0
drive find 1001 5000 click-async 1004 find 51006 10000 expect-check 51026 1 click 51026 click 1
expect "switched off: time -1" "$(state_time)" -1
close_options

# --- "Check now!" while the automatic check waits on a silent server ------------------------------
# The new check neither waits for the old one nor hears from it: its dialog answers at once and
# shows its own result, and a second "Check now!" works as the first.
echo silent >"$SERVER_DIR/mode"
set_state "5.3.4" $(( $(date +%s) - 90000 ))
before=$(requests)
opt_start
wait_requests $((before + 1))
echo same >"$SERVER_DIR/mode"
drive find 1001 20000 click-async 1004 find 51006 10000
started=$(date +%s%N)
drive find 51006 5000 click-async 51027 find-title "$TITLE" 51031 10000 wait-text 51031 "No update available" 10000
elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
expect "the manual check answered without waiting for the automatic one (${elapsed} ms)" "$(( elapsed < 2500 ))" 1
drive find-title "$TITLE" 51031 5000 sleep 500 expect-text 51031 "No update available" click 2 find 51006 5000
check_now same "No update available" expect-text 51030 "  5.3.3 (current)"
drive find 51006 5000 click 1
close_options
expect "the program ended normally" "$OPT_EXIT" 0

# --- An unreachable server ----------------------------------------------------------------------
kill $SERVER_PID 2>/dev/null
wait $SERVER_PID 2>/dev/null
opt_start
started=$SECONDS
drive find 1001 20000 click-async 1004 find 51006 10000 click-async 51027 find-title "$TITLE" 51031 10000 \
  wait-text 51031 "Version download error" 20000
shot options_update_unreachable
expect "a refused connection is reported at once" "$(( SECONDS - started < 15 ))" 1
drive find-title "$TITLE" 51031 5000 click 2 find 51006 5000 click 1
close_options
expect "program ended" "$OPT_EXIT" 0
opt_finish
