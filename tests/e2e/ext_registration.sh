# Self-registration of Quillo32.dll and Quillo64.dll with regsvr32: exactly the keys and values of
# the two registration scripts in the DLL's own registry view, the Approved value, and their
# removal with regsvr32 /u (the parents AppID, CLSID and the handler keys' parents stay).
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"
set -o pipefail

approved='HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
handlers=('*\ShellEx\ContextMenuHandlers' 'Folder\ShellEx\ContextMenuHandlers'
          'Folder\ShellEx\DragDropHandlers' 'Drive\ShellEx\DragDropHandlers')

for bits in 32 64; do
  if [ $bits = 32 ]; then id='{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}'; else id='{5E2B7C14-64D0-4A6F-B3C8-1D92E07F4A65}'; fi
  dll=$(winepath -w "$QUILLO_BUILD/win$bits/extension/Quillo$bits.dll")
  e2e_check "regsvr32 Quillo$bits.dll" host_register $bits

  expected=$(cat <<EXPECTED | sort
CLASSES_ROOT\\CLSID\\$id
CLASSES_ROOT\\CLSID\\$id|@=QuilloExt Class
CLASSES_ROOT\\CLSID\\$id|AppID=$id
CLASSES_ROOT\\CLSID\\$id\\InprocServer32
CLASSES_ROOT\\CLSID\\$id\\InprocServer32|@=$dll
CLASSES_ROOT\\CLSID\\$id\\InprocServer32|ThreadingModel=Apartment
CLASSES_ROOT\\CLSID\\$id\\ProgID
CLASSES_ROOT\\CLSID\\$id\\ProgID|@=Quillo.QuilloExt.1
CLASSES_ROOT\\CLSID\\$id\\TypeLib
CLASSES_ROOT\\CLSID\\$id\\TypeLib|@={8D41C6A2-2F7B-4E95-A1D3-6C58B0E9F274}
CLASSES_ROOT\\CLSID\\$id\\VersionIndependentProgID
CLASSES_ROOT\\CLSID\\$id\\VersionIndependentProgID|@=Quillo.QuilloExt
EXPECTED
)
  actual=$(host_reg_tree $bits "HKCR\\CLSID\\$id")
  echo "$actual" > "$QUILLO_ARTIFACTS/clsid$bits.txt"
  [ "$actual" = "$expected" ] || e2e_fail "class key of Quillo$bits differs: $(diff <(echo "$expected") <(echo "$actual"))"
  echo "ok: class key of Quillo$bits as the script writes it"
  ! host_reg_exists $((96 - bits)) "HKCR\\CLSID\\$id" || e2e_fail "class of Quillo$bits in the other registry view"

  e2e_check "AppID of Quillo$bits" test "$(host_reg_tree $bits "HKCR\\AppID\\$id")" = "$(printf 'CLASSES_ROOT\\AppID\\%s\nCLASSES_ROOT\\AppID\\%s|@=Quillo' "$id" "$id")"
  e2e_check "AppID module entry of Quillo$bits" test "$(host_reg_tree $bits "HKCR\\AppID\\Quillo$bits.dll" | grep '|')" = "CLASSES_ROOT\\AppID\\Quillo$bits.dll|AppID=$id"
  e2e_check "ProgID of Quillo$bits" test "$(host_reg_tree $bits 'HKCR\Quillo.QuilloExt' | grep '|' | tr '\n' ' ')" = "CLASSES_ROOT\\Quillo.QuilloExt\\CLSID|@=$id CLASSES_ROOT\\Quillo.QuilloExt\\CurVer|@=Quillo.QuilloExt.1 CLASSES_ROOT\\Quillo.QuilloExt|@=QuilloExt Class "
  e2e_check "versioned ProgID of Quillo$bits" test "$(host_reg_tree $bits 'HKCR\Quillo.QuilloExt.1' | grep '|' | tr '\n' ' ')" = "CLASSES_ROOT\\Quillo.QuilloExt.1\\CLSID|@=$id CLASSES_ROOT\\Quillo.QuilloExt.1|@=QuilloExt Class "
  for parent in "${handlers[@]}"; do
    e2e_check "handler $parent of Quillo$bits" test "$(host_reg_tree $bits "HKCR\\$parent\\QuilloExt")" = "$(printf 'CLASSES_ROOT\\%s\\QuilloExt\nCLASSES_ROOT\\%s\\QuilloExt|@=%s' "$parent" "$parent" "$id")"
  done
  e2e_check "Approved value of Quillo$bits" test "$(host_reg_tree $bits "$approved" | grep -F "|$id=")" = "LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved|$id=Quillo Shell Extension"

  e2e_check "regsvr32 /u Quillo$bits.dll" host_register $bits /u
  for key in "CLSID\\$id" "AppID\\$id" "AppID\\Quillo$bits.dll" Quillo.QuilloExt Quillo.QuilloExt.1; do
    ! host_reg_exists $bits "HKCR\\$key" || e2e_fail "HKCR\\$key left after unregistering Quillo$bits"
  done
  for parent in "${handlers[@]}"; do
    ! host_reg_exists $bits "HKCR\\$parent\\QuilloExt" || e2e_fail "$parent\\QuilloExt left"
    host_reg_exists $bits "HKCR\\$parent" || e2e_fail "HKCR\\$parent was removed"
  done
  for kept in AppID CLSID; do
    host_reg_exists $bits "HKCR\\$kept" || e2e_fail "HKCR\\$kept was removed"
  done
  [ -z "$(host_reg_tree $bits "$approved" | grep -F "|$id=")" ] || e2e_fail "Approved value of Quillo$bits left"
  echo "ok: Quillo$bits unregistered, parents kept"
done
