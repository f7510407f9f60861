# Names that the Western code page cannot hold (Cyrillic, Greek, Japanese, an emoji beyond the
# Basic Multilingual Plane), driven through the Explorer stand-in with real keys and mouse.
# Drops: "файл.txt" dragged from a folder that also holds "abcd.txt" and "wxyz.txt" (its ANSI
# form "????.txt" would be a wildcard for both) is copied, moved, and moved to the parent, and
# nothing else is. Screenshots: unicode-copy<bits>.png, unicode-move<bits>.png, unicode-parent<bits>.png (32 and 64).
# The menus on a folder named in Cyrillic: its level drawn with the real names beside the tool
# tip of a folder named in Japanese (unicode-level<bits>.png), the real names in the extension's
# trace, the tip's counts and the size column of that folder, C and Shift+C putting the real
# names into CF_UNICODETEXT (read back by the stand-in), Enter opening exactly "файл.qlog", and
# the recent list showing it the next time (unicode-recent<bits>.png); the level without a tip:
# unicode-names<bits>.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

# The host menu of a drop: Open, Explore, -, Move To Folder, Copy To Folder, Move To Parent, -,
# Properties. Keys from nothing highlighted to an entry:
to_move="down;down;down"
to_copy="down;down;down;down"

# has FILE TEXT: FILE exists and holds exactly TEXT.
has() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# only_that OP INTO MOVED: after the drop OP, файл.txt arrived in INTO (a folder below the
# case's dest), left src when MOVED is yes, and the wildcard neighbours stayed where they were.
only_that() {
  local t=$work/$1
  e2e_check "$1: exactly that file arrived" has "$t/dest/$2/файл.txt" файл
  if [ "$3" = yes ]; then
    e2e_check "$1: it left its folder" test ! -e "$t/src/файл.txt"
  else
    e2e_check "$1: its source stays" has "$t/src/файл.txt" файл
  fi
  e2e_check "$1: no neighbour arrived" test ! -e "$t/dest/$2/abcd.txt" -a ! -e "$t/dest/$2/wxyz.txt"
  e2e_check "$1: the neighbours stay" eval 'has "$t/src/abcd.txt" abcd && has "$t/src/wxyz.txt" wxyz'
}

for bits in 32 64; do
  work=$QUILLO_ARTIFACTS/work$bits
  host_installed "$work"
  e2e_check "register Quillo$bits" host_register $bits
  host_options "$work/data/Options.lcf"
  for op in copy move parent; do
    t=$work/$op
    mkdir -p "$t/src" "$t/dest/Папка Ω"
    echo файл >"$t/src/файл.txt"
    echo abcd >"$t/src/abcd.txt"
    echo wxyz >"$t/src/wxyz.txt"
  done

  # Copy and move into dest\Папка Ω by keyboard; "Move To Parent" of a drop onto dest\Папка Ω
  # by mouse moves into dest. The host lingers while the operation runs.
  for op in copy move; do
    keys=$to_copy; [ $op = move ] && keys=$to_move
    host_drop $bits $op$bits "$keys;right;wait:500;shot:unicode-$op$bits;return" 4000 \
      "$work/$op/dest" "$work/$op/src/файл.txt" || e2e_fail "$op: the host did not get through its menu"
  done
  host_drop $bits parent$bits "point:0,1;wait:300;point:0,5;wait:300;shot:unicode-parent$bits;pclick:0,5" 4000 \
    "$work/parent/dest/Папка Ω" "$work/parent/src/файл.txt" || e2e_fail "parent: the host did not get through its menu"
  only_that copy "Папка Ω" no
  only_that move "Папка Ω" yes
  only_that parent . yes

  # ---- the menus on a folder named in Cyrillic -------------------------------------------------
  docs=$work/u/Документы
  mkdir -p "$docs/写真" "$work/bin"
  head -c 1000 /dev/zero >"$docs/写真/日本語.txt"
  head -c 536 /dev/zero >"$docs/写真/漢字 😀.bin"
  echo файл >"$docs/файл.qlog"
  echo abcd >"$docs/abcd.qlog"
  echo wxyz >"$docs/wxyz.qlog"
  echo omega >"$docs/Ωμέγα 🎉.txt"
  winDocs=$(e2e_winpath "$docs")
  host_logging_opener "$work"
  host_options "$work/data/Options.lcf" menuPosition=2 toolTipSpeed=5 sizeInfoShown=1 sizeInfoStartDisabled=0 sizeUnits=3

  # position TRACE LEVEL REAL: the position of the entry whose real name is REAL in that level.
  position() {
    tr -d '\r' <"$1" | awk -v level="$2" -v real="$3" '
      index($0, " fill level=" level " ") && index($0, " real=" real " text=") {
        sub(/.* position=/, ""); sub(/ .*/, ""); print; exit }'
  }
  # clip OUT N FORMAT: the Nth clipboard text of that format (text or unicode) the stand-in read.
  clip() { grep "^clipboard $3=" "$1" | sed -n "$2p" | sed "s/^clipboard $3=//"; }

  name=level$bits
  host_show $bits $name \
    "down;right;await:2;point:1,0;rest:1500;dump;shot:unicode-level$bits;key:0x43;wait:300;clipboard;shift-down;key:0x43;shift-up;wait:300;clipboard;right;await:3;key:0x43;wait:300;clipboard;escape-menus;escape;escape;escape" \
    --context "$winDocs"
  trace=$QUILLO_ARTIFACTS/$name.trace
  out=$QUILLO_ARTIFACTS/$name.txt
  for real in 写真 файл.qlog abcd.qlog wxyz.qlog "Ωμέγα 🎉.txt"; do
    [ -n "$(position "$trace" 0 "$real")" ] || e2e_fail "$name: $real not filled by its real name: $(grep 'fill level=0' "$trace")"
  done
  tr -d '\r' <"$trace" | grep -qF " real=$(e2e_winpath "$work/u") text=" || e2e_fail "$name: the parent entry's real path"
  tr -d '\r' <"$trace" | grep -qF "tooltip names [写真] [$winDocs]" ||
    e2e_fail "$name: the tip does not name the folder: $(grep 'tooltip names' "$trace")"
  tab=$'\t'
  tr -d '\r' <"$trace" | grep 'tooltip counts' | tail -1 | grep -qF "[Size: ${tab}1,50 KB (1.536 bytes)] [      ${tab}2 Files" ||
    e2e_fail "$name: the tip's counts of 写真: $(grep 'tooltip counts' "$trace" | tail -1)"
  tr -d '\r' <"$trace" | grep -q "size position=$(position "$trace" 0 写真) bytes=1536 " ||
    e2e_fail "$name: the size of 写真: $(grep -o 'size position=.*' "$trace" | tr '\n' ' ')"
  echo "ok: the level, its tip, counts and sizes"

  # C on the folder: its children's names; Shift+C: their paths; then Right enters the folder's
  # open submenu, and C on its first entry gives that name.
  names=$(clip "$out" 1 unicode)
  [[ "$names" == *'"'*'日本語.txt\r\n'* && "$names" == *'漢字 😀.bin\r\n'* ]] || e2e_fail "$name: C gave [$names]"
  paths=$(clip "$out" 2 unicode)
  quoted=$(sed 's/\\/\\\\/g' <<<"$winDocs")
  [[ "$paths" == *"$quoted\\\\写真\\\\日本語.txt\\r\\n"* ]] || e2e_fail "$name: Shift+C gave [$paths]"
  next=$(tr -d '\r' <"$trace" | awk '/ fill level=1 position=0 /{ sub(/.* real=/, ""); sub(/ text=.*/, ""); print; exit }')
  [ "$(clip "$out" 3 unicode)" = "\"$next\\r\\n\"" ] || e2e_fail "$name: C on $next gave [$(clip "$out" 3 unicode)]"
  # CF_TEXT as before: the same lines, in the code page.
  [ "$(clip "$out" 3 text | grep -o '\\r\\n' | wc -l)" = 1 ] || e2e_fail "$name: CF_TEXT [$(clip "$out" 3 text)]"
  [ "$(clip "$out" 1 text | grep -o '\\r\\n' | wc -l)" = 2 ] || e2e_fail "$name: CF_TEXT [$(clip "$out" 1 text)]"
  echo "ok: the clipboard"

  # Enter on файл.qlog opens exactly that file, and the recent list shows it next time.
  at=$(position "$trace" 0 файл.qlog)
  keys="down;right;await:2;wait:800;shot:unicode-names$bits"
  for _ in $(seq "$at"); do keys="$keys;down"; done
  rm -f "$logger.log" "$work"/data/MRU*.lcf
  host_show $bits enter$bits "$keys;return" --linger 2000 --context "$winDocs"
  for _ in $(seq 50); do [ -s "$logger.log" ] && break; sleep 0.2; done
  [ "$(cat "$logger.log" | tr -d '\r')" = "\"$winDocs\\файл.qlog\"" ] ||
    e2e_fail "enter$bits: opened [$(cat "$logger.log" 2>/dev/null)]"
  e2e_check "the opened file is in the recent list" test -s "$work/data/MRU0.lcf"
  recent=$(tr -d '\r' <"$trace" | awk '/ fill level=0 / && / text=Recent$/ { sub(/.* position=/, ""); sub(/ .*/, ""); print; exit }')
  keys="down;right;await:2"
  for _ in $(seq "$recent"); do keys="$keys;down"; done
  host_show $bits recent$bits "$keys;right;await:3;wait:500;dump;shot:unicode-recent$bits;escape-menus;escape;escape;escape" \
    --context "$winDocs"
  tr -d '\r' <"$QUILLO_ARTIFACTS/recent$bits.trace" | grep ' fill level=1 ' | grep -q ' real=.*файл\.qlog text=' ||
    e2e_fail "recent$bits: $(grep 'fill level=1' "$QUILLO_ARTIFACTS/recent$bits.trace")"
  echo "ok: Enter and the recent list"
done
