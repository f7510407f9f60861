#!/bin/bash
# Configuration backup, restore and reset through the product information dialog: the archive is
# a valid ZIP of the data files, a restore is carried out at the next start byte for byte, a
# damaged or hostile archive is refused and changes nothing, and a reset empties the data folder
# into the Recycle Bin (Wine's lies under XDG_DATA_HOME, kept inside the scenario's folder).
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_backup
export XDG_DATA_HOME=$OPT_DIR/xdg
mkdir -p "$XDG_DATA_HOME" "$OPT_DATA/Sub" "$OPT_DIR/archives"
TRASH=$XDG_DATA_HOME/Trash/files
ARCHIVES=$OPT_DIR/archives
PENDING=$OPT_DATA/Quillo.LarkwellConfig
win() { winepath -w "$1" 2>/dev/null; }
WARNING="Warning: your current configuration will be overwritten!\\nDo you want to continue?"

printf 'recent item\0' >"$OPT_DATA/MRU0.lcf"
head -c 5000 /dev/urandom >"$OPT_DATA/Custom.lcf"
printf 'in a sub-folder' >"$OPT_DATA/Sub/Extra.lcf"
printf 'not a data file' >"$OPT_DATA/notes.txt"

# tree_sums: "<relative path> <sha1>" of every file in the data folder, sorted.
tree_sums() { (cd "$OPT_DATA" && find . -type f -printf '%P\n' | sort | while read -r f; do echo "$f $(sha1sum <"$f" | cut -c1-40)"; done); }

# about <driver commands>: opens the product information dialog from the options dialog first.
about() { drive find 1001 20000 click-async 1004 find 51006 10000 "$@"; }

# restore_file <archive>: Restore... with the file chosen in the open dialog.
restore_file() {
  about click-async 51005 find-title Open 1 20000 settext 1148 "$(win "$1")" click-async 1 "${@:2}"
}

# --- Backup ---------------------------------------------------------------------------------
opt_start
about expect-text 51002 "Quillo v5.3.3" expect-text 51025 "$(win "$OPT_DATA")" \
  expect-text 51024 "$(win "$OPT_DIR/install")" expect-check 51026 1
shot options_backup_dialog
drive find 51006 5000 click 1
about click-async 51006 find-title "Save As" 1 20000 sleep 300
shot options_backup_save
drive find-title "Save As" 1 5000 settext 1148 "$(win "$ARCHIVES/saved.LarkwellConfig")" click-async 1 \
  find 50102 20000 expect-text 50102 "Data backed up successfully!" click 1 find 51006 5000 click 1
BACKUP=$ARCHIVES/saved.LarkwellConfig
tree_sums >"$OPT_DIR/at_backup.txt"
expect "unzip -t finds the archive sound" "$(unzip -tq "$BACKUP" >/dev/null 2>&1 && echo ok)" ok
unzip -l "$BACKUP" >"$QUILLO_ARTIFACTS/unzip-l.txt" 2>&1
names=$(unzip -Z1 "$BACKUP" | sort | tr '\n' ' ')
expect "entries: product entry and every *.lcf, sub-folder with '/'" "$names" \
  "(LWF)App.lcf (LWF)Cmd.lcf (LWF)UpdateCheck.lcf (LWF)Win0.lcf Custom.lcf MRU0.lcf Options.lcf Quillo Sub/Extra.lcf "
expect "product entry: no keep patterns, then the version" "$(unzip -p "$BACKUP" Quillo | od -An -c | tr -s ' ')" " \\0 5 . 3 . 3"
for f in Custom.lcf MRU0.lcf Options.lcf Sub/Extra.lcf; do
  expect "$f stored byte for byte" "$(unzip -p "$BACKUP" "$f" | sha1sum)" "$(sha1sum <"$OPT_DATA/$f")"
done
expect "Custom.lcf deflated" "$(unzip -v "$BACKUP" Custom.lcf | grep -c Defl)" 1

# --- Restore, answered with Cancel at the restart question: it waits for the next start --------
printf 'changed' >"$OPT_DATA/Custom.lcf"
rm "$OPT_DATA/Sub/Extra.lcf"
printf 'new' >"$OPT_DATA/Sub/New.lcf"
restore_file "$BACKUP" find 50102 20000 \
  expect-text 50102 "$WARNING" click 6 \
  find 50102 20000 expect-text 50102 "Data restored successfully!" sleep 300
shot options_backup_restart_question
drive find 50102 5000 click 2 find 51006 5000 click 1 find 1001 5000 click 2
opt_wait
expect "program ended" "$OPT_EXIT" 0
expect "pending archive is the chosen one" "$(sha1sum <"$PENDING")" "$(sha1sum <"$BACKUP")"
expect "data files untouched until the next start" "$(cat "$OPT_DATA/Custom.lcf")" changed

opt_start
drive find 1001 20000 click 2
opt_wait
expect "pending archive deleted" "$(opt_size "$PENDING")" missing
for f in Custom.lcf MRU0.lcf Options.lcf Sub/Extra.lcf; do
  expect "$f restored byte for byte" "$(sha1sum <"$OPT_DATA/$f")" "$(unzip -p "$BACKUP" "$f" | sha1sum)"
done
expect "files not in the archive are gone" "$(ls "$OPT_DATA/Sub" "$OPT_DATA" | grep -c -E 'New.lcf|notes.txt')" 0
expect "... into the Recycle Bin" "$(ls "$TRASH" 2>/dev/null | grep -c -E '^(New.lcf|notes.txt)$')" 2

# --- Damaged and hostile archives are refused and change nothing --------------------------------
python3 - "$BACKUP" "$ARCHIVES" <<'PY'
import struct, sys, zipfile
src, out = sys.argv[1], sys.argv[2]
data = open(src, "rb").read()
open(out + "/truncated.LarkwellConfig", "wb").write(data[: len(data) * 2 // 3])
# A wrong CRC-32 in both headers of the first data entry: the bytes themselves are intact.
bad = bytearray(data)
zf = zipfile.ZipFile(src)
info = next(i for i in zf.infolist() if i.filename == "Custom.lcf")
struct.pack_into("<I", bad, info.header_offset + 14, info.CRC ^ 1)
central = bad.find(b"PK\x01\x02" + bytes(bad[info.header_offset + 4:info.header_offset + 6]))
while struct.unpack_from("<I", bad, central + 42)[0] != info.header_offset:
    central = bad.find(b"PK\x01\x02", central + 4)
struct.pack_into("<I", bad, central + 16, info.CRC ^ 1)
open(out + "/badcrc.LarkwellConfig", "wb").write(bad)
def archive(name, entries):
    with zipfile.ZipFile(out + "/" + name, "w", zipfile.ZIP_DEFLATED) as z:
        for entry, content in entries:
            z.writestr(entry, content)
archive("escape.LarkwellConfig", [("Quillo", b"\x005.3.3"), ("Custom.lcf", b"x"), ("..\\Escaped.lcf", b"evil")])
archive("other.LarkwellConfig", [("Other", b"\x001.0.0"), ("Custom.lcf", b"x")])
PY
before=$(tree_sums)
opt_start
for bad in truncated badcrc escape; do
  restore_file "$ARCHIVES/$bad.LarkwellConfig" find 50102 20000 expect-text 50102 "Configuration file error!"
  shot "options_backup_refused_$bad"
  drive find 50102 5000 click 1 find 51006 5000 click 1
  expect "$bad archive: no pending archive" "$(opt_size "$PENDING")" missing
done
restore_file "$ARCHIVES/other.LarkwellConfig" find 50102 20000 expect-text 50102 "Wrong product!" click 1 \
  find 51006 5000 click 1
expect "wrong product: no pending archive" "$(opt_size "$PENDING")" missing
# Warning answered with No, and the pending archive itself chosen: nothing is put in place.
restore_file "$BACKUP" find 50102 20000 click 7 find 51006 5000 click 1
expect "No: no pending archive" "$(opt_size "$PENDING")" missing
cp "$BACKUP" "$PENDING"
restore_file "$PENDING" find 50102 20000 click 6 find 50102 20000 expect-text 50102 "Error restoring data!" click 1 \
  find 51006 5000 click 1
rm -f "$PENDING"
drive find 1001 5000 click 2
opt_wait
expect "refused archives changed no file" "$(tree_sums | grep -v '(LWF)')" "$(echo "$before" | grep -v '(LWF)')"

# A hostile archive put in place behind the program's back is only deleted at the next start.
cp "$ARCHIVES/escape.LarkwellConfig" "$PENDING"
opt_start
drive find 1001 20000 click 2
opt_wait
expect "hostile pending archive deleted" "$(opt_size "$PENDING")" missing
expect "nothing written outside the data folder" "$(ls "$OPT_DIR" | grep -c Escaped)" 0
expect "hostile pending archive changed no file" "$(tree_sums | grep -v '(LWF)')" "$(echo "$before" | grep -v '(LWF)')"

# --- Archives that would inflate to gigabytes: refused, as the chosen file and as the pending one --
# "spread": 300 entries of 16 MiB of zeros each (4.7 GiB), about 5 MB on disk; "overlap": 300
# directory records all pointing at one such entry.
python3 - "$ARCHIVES" <<'PY'
import struct, sys, zlib
out = sys.argv[1]
plain = bytes(16 << 20)
packer = zlib.compressobj(9, zlib.DEFLATED, -15)
packed = packer.compress(plain) + packer.flush()
crc = zlib.crc32(plain)
def write(name, entries, records):
    # entries: (name, data, crc, size, method); records: indexes into entries, in directory order
    body, offsets = b"", []
    for entry, data, entry_crc, size, method in entries:
        offsets.append(len(body))
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, method, 0, 0x21, entry_crc, len(data), size,
                            len(entry), 0) + entry + data
    directory = b""
    for i in records:
        entry, data, entry_crc, size, method = entries[i]
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, method, 0, 0x21, entry_crc, len(data),
                                 size, len(entry), 0, 0, 0, 0, 0x20, offsets[i]) + entry
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(records), len(records), len(directory), len(body), 0)
    open(out + "/" + name, "wb").write(body + directory + end)
product = (b"Quillo", b"\x005.3.3", zlib.crc32(b"\x005.3.3"), 6, 0)
spread = [product] + [(b"Bomb/F%03d.lcf" % i, packed, crc, len(plain), 8) for i in range(300)]
write("spread.LarkwellConfig", spread, range(len(spread)))
write("overlap.LarkwellConfig", [product, (b"Options.lcf", packed, crc, len(plain), 8)], [0] + [1] * 300)
PY
expect "the spread archive is a few MB" "$(( $(opt_size "$ARCHIVES/spread.LarkwellConfig") < 8000000 ))" 1
before=$(tree_sums)
opt_start
for bomb in spread overlap; do
  restore_file "$ARCHIVES/$bomb.LarkwellConfig" find 50102 30000 expect-text 50102 "Configuration file error!"
  drive find 50102 5000 click 1 find 51006 5000 click 1
  expect "$bomb archive: no pending archive" "$(opt_size "$PENDING")" missing
done
drive find 1001 5000 click 2
opt_wait
expect "program ended normally after refusing them" "$OPT_EXIT" 0
for bomb in spread overlap; do
  cp "$ARCHIVES/$bomb.LarkwellConfig" "$PENDING"
  opt_start
  drive find 1001 30000 click 2
  opt_wait
  expect "$bomb pending archive: the program started and ended normally" "$OPT_EXIT" 0
  expect "$bomb pending archive removed" "$(opt_size "$PENDING")" missing
  expect "$bomb pending archive changed no data file" "$(tree_sums | grep -v '(LWF)')" "$(echo "$before" | grep -v '(LWF)')"
done
opt_start
drive find 1001 20000 click 2
opt_wait
expect "the next start is normal" "$OPT_EXIT" 0

# --- Reset answered with Cancel at the restart question: carried out at the next start ----------
opt_start
about click-async 51007 find 50102 20000 expect-text 50102 "$WARNING" \
  click 6 find 50102 20000 expect-text 50102 "Data reset successfully!" click 2 find 51006 5000 click 1
drive find 1001 5000 click 2
opt_wait
expect "Cancel: the program went on and ended with 0" "$OPT_EXIT" 0
expect "Cancel: the reset is pending" "$([ -f "$PENDING" ] && echo pending)" pending
expect "Cancel: the configuration stays until the next start" "$(cat "$OPT_DATA/Sub/Extra.lcf")" "in a sub-folder"
opt_start
drive find 1001 20000 click 2
opt_wait
expect "next start after a cancelled reset: data files gone" "$(ls "$OPT_DATA" "$OPT_DATA/Sub" 2>/dev/null | grep -c -E 'Custom|MRU0|Extra')" 0
expect "next start after a cancelled reset: defaults written" "$(opt_size "$OPT_OPTIONS")" 2516
expect "next start after a cancelled reset: nothing pending" "$(opt_size "$PENDING")" missing
# The reset below needs data files again.
printf 'recent item\0' >"$OPT_DATA/MRU0.lcf"

# --- Reset with a restart: the new instance starts from an empty data folder ------------------
opt_start
about click-async 51007 find 50102 20000 expect-text 50102 "$WARNING" \
  click 6 find 50102 20000 expect-text 50102 "Data reset successfully!" click 1
opt_wait
expect "first instance ended for the restart" "$OPT_EXIT" 0
drive find 1001 30000 sleep 300
shot options_backup_after_reset
drive find 1001 5000 click 2 no-window LWFWindow Quillo 20000
expect "reset removed the data files" "$(ls "$OPT_DATA" "$OPT_DATA/Sub" 2>/dev/null | grep -c -E 'Custom|MRU0|Extra')" 0
expect "pending archive deleted after the reset" "$(opt_size "$PENDING")" missing
expect "the program wrote its defaults again" "$(opt_size "$OPT_OPTIONS")" 2516
opt_finish
