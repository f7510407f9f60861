# The extension's entries in a context menu, through the Explorer stand-in, with both DLLs:
# context and drag mode, the sub-open-area suffix, "Move To Parent" on folders and drive roots,
# the refusals (CMF_DEFAULTONLY, a held Windows key, non-file-system drops, no setup
# information) and the help texts.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

host_installation
computer='::{20D04FE0-3AEA-1069-A2D8-08002B30309D}'

# expect_menu NAME OUTPUT CODE [ENTRY...]: the query code and, in order, the entries the
# extension inserted (lines with its item data, reduced to text, state, submenu and bitmap).
expect_menu() {
  local name=$1 output=$2 code=$3; shift 3
  echo "$output" > "$QUILLO_ARTIFACTS/$name.txt"
  grep -q "^initialize hr=0x00000000" <<<"$output" || e2e_fail "$name: Initialize failed: $output"
  grep -q "^query hr=0x0000000$code code=$code" <<<"$output" || e2e_fail "$name: query code is not $code: $output"
  local entries
  entries=$(grep '^item .*data=0xffff0064' <<<"$output" | sed -E 's/.* text=("[^"]*") data=[^ ]* state=([a-z]*) submenu=([^ ]*) bitmap=([a-z]*)/\1 \2 \3 \4/')
  local wanted=""
  for entry in "$@"; do wanted+="$entry"$'\n'; done
  [ "$entries" = "${wanted%$'\n'}" ] || e2e_fail "$name: entries differ: got [$entries] wanted [${wanted%$'\n'}]"
  # The ordinary entries stay: four of them, "Properties" last.
  [ "$(grep -c '^item .*data=0x0 ' <<<"$output")" = 4 ] || e2e_fail "$name: host entries changed"
  tail -1 <<<"$output" | grep -q 'text="Properties"' || grep -q '^help' <<<"$output" ||
    e2e_fail "$name: host entries out of order"
  echo "ok: $name"
}

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  rm -f "$work/data/Options.lcf"

  expect_menu "context$bits" "$(host_run $bits --context "$files\\a.txt")" 2 \
    '"Quillo" enabled items:0 yes'
  expect_menu "several$bits" "$(host_run $bits --help-text 0 --context "$files\\b.txt" "$files\\a.txt")" 2 \
    '"Quillo" enabled items:0 yes'
  expect_menu "drag_folder$bits" "$(host_run $bits --drag "$files\\sub" "$files\\a.txt" "$files\\b.txt")" 4 \
    '"Move To Folder" enabled items:0 yes' '"Copy To Folder" enabled items:0 yes' '"Move To Parent" enabled none no'
  expect_menu "drag_root$bits" "$(host_run $bits --drag 'C:\' "$files\\a.txt")" 4 \
    '"Move To Folder" enabled items:0 yes' '"Copy To Folder" enabled items:0 yes' '"Move To Parent" grayed none no'
  expect_menu "flags0_drag$bits" "$(host_run $bits --flags 0 --index 0 --drag "$files\\sub" "$files\\a.txt")" 4 \
    '"Move To Folder" enabled items:0 yes' '"Copy To Folder" enabled items:0 yes' '"Move To Parent" enabled none no'
  expect_menu "default_only$bits" "$(host_run $bits --flags 0x1 --context "$files\\a.txt")" 0
  expect_menu "flags0_index0$bits" "$(host_run $bits --flags 0 --index 0 --context "$files\\a.txt")" 0
  expect_menu "winkey$bits" "$(host_run $bits --winkey --context "$files\\a.txt")" 0
  expect_menu "virtual_drop$bits" "$(host_run $bits --drag "$files\\sub" "$computer")" 0

  # With no highlighted entry of its own the handler writes no help text.
  grep -q '^help hr=0x00000000 text=""' "$QUILLO_ARTIFACTS/several$bits.txt" || e2e_fail "help text written without a highlighted entry"

  host_options "$work/data/Options.lcf" subOpenArea=1 dragMoveToParent=0
  expect_menu "sub_open_area$bits" "$(host_run $bits --context "$files\\a.txt")" 2 \
    '"Quillo\t>>>" enabled items:0 yes'
  expect_menu "drag_no_parent$bits" "$(host_run $bits --drag "$files\\sub" "$files\\a.txt")" 3 \
    '"Move To Folder\t>>>" enabled items:0 yes' '"Copy To Folder\t>>>" enabled items:0 yes'
done

# Registered by hand without the setup information: the extension stays out of the menu.
host_remove_setup_info
for bits in 32 64; do
  expect_menu "no_setup_info$bits" "$(host_run $bits --context "$files\\a.txt")" 0
done
