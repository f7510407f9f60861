#!/bin/bash
# Reads Quillo.chm back with libchm's tools: the pages are there and in the contents, every link
# between pages resolves (anchors too), the options page explains every option of the dialog and
# the menus page every key and button that works inside the menus.
chm=$1 out=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$out" && mkdir -p "$out"
listing=$(enum_chmLib "$chm") || { echo "FAIL: enum_chmLib cannot read $chm"; exit 1; }
extract_chmLib "$chm" "$out" >/dev/null || { echo "FAIL: extract_chmLib"; exit 1; }

for page in Index.htm Menus.htm Options.htm Favorites.htm About.htm; do
  grep -qE "[[:space:]]/$page\$" <<<"$listing" || fail "$page is not in the manual"
  [ -s "$out/$page" ] || fail "$page was not extracted"
  grep -qF "value=\"$page\"" "$out/Quillo.hhc" || fail "$page is not in the contents"
done
grep -q "Index.htm" "$out/#SYSTEM" 2>/dev/null || fail "the start page is not Index.htm"

# Every local link (href="Page.htm" or "Page.htm#anchor") names a page of the manual.
for file in "$out"/*.htm "$out"/*.hhc "$out"/*.hhk; do
  for target in $(grep -oE '(href|value)="[A-Za-z]+\.(htm|css)(#[a-z]+)?"' "$file" | sed -E 's/.*="([^"#]+).*/\1/'); do
    [ -f "$out/$target" ] || fail "$(basename "$file") links to missing $target"
  done
  for link in $(grep -oE '(href|value)="[A-Za-z]+\.htm#[a-z]+"' "$file" | sed -E 's/.*="([^"]+)"/\1/'); do
    grep -q "name=\"${link#*#}\"" "$out/${link%%#*}" 2>/dev/null || fail "$(basename "$file") links to missing $link"
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

# What works inside the menus, each explained on the menus page.
while IFS= read -r topic; do
  grep -qF "$topic" "$out/Menus.htm" || fail "Menus.htm does not explain \"$topic\""
done <<'TOPICS'
<b>Enter</b>
<b>Ctrl</b>
<b>Shift</b>
Right-click on an item
<td><b>C</b></td>
<b>Shift+C</b>
<td><b>H</b></td>
<td><b>P</b></td>
<b>S</b> or the <b>middle mouse button</b>
<td><b>U</b></td>
<b>right</b> mouse button
Copy To Folder
Move To Folder
Move To Parent
<b>Recent</b>
<b>Favorites</b>
TOPICS
grep -qF 'href="Menus.htm"' "$out/Index.htm" || fail "the welcome page does not lead to the menus page"

if [ $failures -ne 0 ]; then echo "$failures problem(s) in $chm"; exit 1; fi
echo "Quillo.chm: pages, links and option captions checked"
