#!/bin/bash
# Reads Quillo.chm back with libchm's tools: the four pages the options program opens are there,
# every link between pages resolves, and the options page explains every option of the dialog.
chm=$1 out=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$out" && mkdir -p "$out"
listing=$(enum_chmLib "$chm") || { echo "FAIL: enum_chmLib cannot read $chm"; exit 1; }
extract_chmLib "$chm" "$out" >/dev/null || { echo "FAIL: extract_chmLib"; exit 1; }

for page in Index.htm Options.htm Favorites.htm About.htm; do
  grep -qE "[[:space:]]/$page\$" <<<"$listing" || fail "$page is not in the manual"
  [ -s "$out/$page" ] || fail "$page was not extracted"
done
grep -q "Index.htm" "$out/#SYSTEM" 2>/dev/null || fail "the start page is not Index.htm"

# Every local link (href="Page.htm" or "Page.htm#anchor") names a page of the manual.
for file in "$out"/*.htm "$out"/*.hhc "$out"/*.hhk; do
  for target in $(grep -oE '(href|value)="[A-Za-z]+\.(htm|css)(#[a-z]+)?"' "$file" | sed -E 's/.*="([^"#]+).*/\1/'); do
    [ -f "$out/$target" ] || fail "$(basename "$file") links to missing $target"
  done
  for anchor in $(grep -oE 'href="Options\.htm#[a-z]+"' "$file" | sed -E 's/.*#([a-z]+)"/\1/'); do
    grep -q "name=\"$anchor\"" "$out/Options.htm" || fail "$(basename "$file") links to missing anchor $anchor"
  done
done

# The captions of the options dialog, each explained on the options page.
while IFS= read -r caption; do
  grep -qF "$caption" "$out/Options.htm" || fail "Options.htm does not explain \"$caption\""
done <<'CAPTIONS'
Tool Tips
Tool Tip speed
Multicolumn mode
Menu item height
Menu delay
Sub open area
Include hidden objects
Include hidden protected operating system objects
Position in context menu
Near mouse
Start disabled
Size units
Display folders only
Open target folder
Include "Move To Parent"
Delete empty folder
Show favorites
Show recently used items
Clear at logon
Colors
Include file extensions
Starting point for Start Menu
Alternate file manager
Command to open files of unknown type
Apply
Cancel
CAPTIONS
grep -qF "Add Object..." "$out/Favorites.htm" || fail "Favorites.htm does not explain the editor"

if [ $failures -ne 0 ]; then echo "$failures problem(s) in $chm"; exit 1; fi
echo "Quillo.chm: pages, links and option captions checked"
