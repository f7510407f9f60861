# Special entries show no tool tip, with both DLLs: the pointer rests on "More..." and the
# separator above it on a paged folder, and on "(Empty)", the separator, "Recent" and
# "Favorites" of an empty folder's menu and on the separator inside "Favorites". "Recent" and
# "Favorites" are not empty (a file opened before, the same item twice in the favourites with a
# separator between), so each of these entries carries an item a tip could describe. An ordinary
# entry rested on in the same menu shows its tip, so the rests are long enough.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

work=$QUILLO_ARTIFACTS/work
tree=$work/tree
mkdir -p "$tree/long" "$tree/empty"
echo note >"$tree/long/a.qlog"
for i in $(seq -w 1 60); do : >"$tree/long/file$i.txt"; done
winTree=$(e2e_winpath "$tree")
host_installed "$work"
host_logging_opener "$work"
host_options "$work/data/Options.lcf" menuPosition=2 multiColumn=0 toolTipSpeed=5
tab=$'\t'

# tips NAME: the names of the tips the extension showed, one per line.
tips() { tr -d '\r' <"$QUILLO_ARTIFACTS/$1.trace" | sed -n "s/.* tooltip shown \[Name: $tab\([^]]*\)\].*/\1/p"; }

# rested NAME LEVEL POSITION...: each of these entries was highlighted (the pointer then rests
# on it; a keyboard highlight counts the whole screen as its place).
rested() {
  local name=$1 level=$2 position; shift 2
  for position in "$@"; do
    grep -Eq " highlight item=0x0*${level}[0-9a-f]{4} position=$position " "$QUILLO_ARTIFACTS/$name.trace" ||
      e2e_fail "$name: entry $position of level $level was not pointed at"
  done
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  rm -f "$work"/data/MRU*.lcf "$work"/data/FAV*.lcf

  # a.qlog opened from the paged folder: it becomes the recent item; the page's length is
  # what the level was filled with (files, a separator, "More...").
  host_show $bits "open$bits" "down;right;await:2;return" --linger 1500 --context "$winTree\\long"
  [ -s "$work/data/MRU0.lcf" ] || e2e_fail "$bits: the opened file is not in the recent list"
  cp "$work/data/MRU0.lcf" "$work/data/FAV0.lcf"
  printf '\377\377\377\377' >"$work/data/FAV1.lcf"
  cp "$work/data/MRU0.lcf" "$work/data/FAV2.lcf"
  items=$(sed -n 's/.* open-level level=0 first=0 items=\([0-9]*\).*/\1/p' "$QUILLO_ARTIFACTS/open$bits.trace" | head -1)
  [ "$(host_filled "$QUILLO_ARTIFACTS/open$bits.trace" 0 | tail -2 | tr '\n' '|')" = '|More...|' ] ||
    e2e_fail "$bits: the folder is not paged ($items items)"
  more=$((items - 1)) separator=$((items - 2))

  name=paged$bits
  host_show $bits $name \
    "down;right;await:2;point:1,$separator;rest:1000;point:1,$more;rest:1200;point:1,0;rest:1200;escape-menus;escape;escape;escape" \
    --context "$winTree\\long"
  rested $name 0 $more 0
  [ "$(tips $name)" = a.qlog ] || e2e_fail "$name: tips shown for [$(tips $name | tr '\n' '|')], wanted only a.qlog"
  echo "ok: $name: no tip on the separator and \"More...\""

  # The empty folder's menu: "(Empty)", separator, the parent folder, "Recent", "Favorites";
  # "Favorites" holds a.qlog, a separator and a.qlog.
  name=empty$bits
  host_show $bits $name \
    "down;right;await:2;point:1,0;rest:1000;point:1,1;rest:1000;point:1,3;rest:1200;point:1,4;await:3;rest:1200;point:2,1;rest:1000;point:1,2;rest:1500;escape-menus;escape;escape;escape" \
    --context "$winTree\\empty"
  [ "$(host_filled "$QUILLO_ARTIFACTS/$name.trace" 0 | tr '\n' '|')" = "(Empty)||$winTree|Recent|Favorites|" ] ||
    e2e_fail "$name: level 0 holds [$(host_filled "$QUILLO_ARTIFACTS/$name.trace" 0 | tr '\n' '|')]"
  tr -d '\r' <"$QUILLO_ARTIFACTS/$name.trace" | grep -Eq 'fill level=1 position=1 child=0 real= text=$' ||
    e2e_fail "$name: no separator in Favorites"
  rested $name 0 0 1 3 4 2
  rested $name 1 1
  [ "$(tips $name)" = tree ] || e2e_fail "$name: tips shown for [$(tips $name | tr '\n' '|')], wanted only tree"
  echo "ok: $name: no tip on \"(Empty)\", separators, \"Recent\" and \"Favorites\""
done
