# Where the entry lands in the stand-in's menu with both DLLs: menuPosition 1 (Near mouse, with
# the cursor near the bottom of the screen, so the menu would open upward and the entry goes
# last), 2 (Top of menu) and 3 (Bottom of menu), each framed by separators; a drag-and-drop
# menu is never moved, only framed. Screenshot: bottom32.png, bottom64.png.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

host_installation

# expect_layout NAME LAYOUT: the host's menu as shown, "-" for separators.
expect_layout() {
  local got
  got=$(awk '/^menu /{m++; next} m==1 && /^menuitem/' "$QUILLO_ARTIFACTS/$1.txt" |
        sed -E 's/.*text="([^"]*)".*/\1/; s/^$/-/' | sed 's/\\t>>>//' | paste -sd' ')
  [ "$got" = "$2" ] || e2e_fail "$1: menu is [$got], wanted [$2]"
  echo "ok: $1"
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  host_options "$work/data/Options.lcf" menuPosition=1
  host_show $bits "near$bits" "wait:200;dump;cancel" --cursor 300,760 --context "$files\\a.txt"
  expect_layout "near$bits" "Open Explore - Properties - Quillo"
  host_options "$work/data/Options.lcf" menuPosition=2
  host_show $bits "top$bits" "wait:200;dump;cancel" --context "$files\\a.txt"
  expect_layout "top$bits" "Quillo - Open Explore - Properties"
  host_options "$work/data/Options.lcf" menuPosition=3
  host_show $bits "bottom$bits" "wait:200;dump;shot:bottom$bits;cancel" --context "$files\\a.txt"
  expect_layout "bottom$bits" "Open Explore - Properties - Quillo"
  host_show $bits "drag$bits" "wait:200;dump;cancel" --drag "$files\\sub" "$files\\a.txt"
  expect_layout "drag$bits" "Open Explore - Move To Folder Copy To Folder Move To Parent - Properties"
done
