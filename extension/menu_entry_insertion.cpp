#include "menu_entry_insertion.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "context_menu_entries.h"
#include "menu/menu_level.h"
#include "menu/menu_session.h"
#include "menu_animation.h"
#include "menu_hooks.h"
#include "extension_state.h"
#include "utf16_units.h"
#include "shell_item.h"

namespace quillo {
namespace {

bool WindowsKeyDown() {
  return (GetAsyncKeyState(VK_LWIN) & 0x8000) != 0 || (GetAsyncKeyState(VK_RWIN) & 0x8000) != 0;
}

// "Move To Parent" is enabled when the drop target's parent is a file-system folder.
bool ParentIsFileSystem(const ExtensionState& state) {
  IdListAllocator& allocator = ListAllocator();
  OwnedIdList parent(allocator, CopyIdList(allocator, state.TargetIdList.get()));
  return parent && ParentIdList(parent.get()) &&
         (GetAttributes(Shell(), Desktop(), AsIdList(parent.get())) & SFGAO_FILESYSTEM) != 0;
}

bool InsertEntry(const ExtensionState& state, HMENU menu, UINT position, UINT id,
                 const EntryPlan& entry, bool enabled) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING;
  item.wID = id;
  item.dwItemData = state.RootItemData;
  item.dwTypeData = const_cast<char*>(entry.text);
  MenuHandle popup;
  if (entry.hasPopup) {
    popup.reset(CreatePopupMenu());
    if (!popup) return false;
    item.fMask |= MIIM_SUBMENU | MIIM_CHECKMARKS;
    item.hSubMenu = popup.get();
    item.hbmpUnchecked = state.RootItemBitmap.get();
  } else {
    item.fMask |= MIIM_STATE;
    item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
  }
  if (!InsertMenuItemA(menu, position, TRUE, &item)) return false;
  popup.release();  // Explorer's menu owns it now
  return true;
}

}  // namespace

HRESULT InsertMenuEntries(ExtensionState& state, HMENU menu, UINT indexMenu, UINT idCmdFirst,
                          UINT flags) {
  const HRESULT nothing = MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  const std::int32_t mode = state.InvocationMode;
  // A nested call while an entry's shell menu is built belongs to that menu: it touches nothing.
  if (state.Busy) return nothing;
  if (menu == nullptr || StaysOutOfMenu({false, mode, WindowsKeyDown(), flags, indexMenu})) {
    // No menu of ours follows (a double-click asks for the default verb only): nothing may stay
    // switched off until some later teardown.
    RestoreMenuAnimation(state);
    return nothing;
  }
  // Levels and listings an earlier invocation left (its menu never reached the teardown).
  DestroyAllLevels();
  state.Listings.Empty();
  state.ExplorerMenu = menu;
  state.OwnMenuActive = 0;
  state.MoveToParentEnabled = 0;
  state.RootItemData = RootItemDataFor(idCmdFirst);

  const EntryPlanList plan = PlanEntries(mode > kContextMode ? kDragMode : kContextMode,
                                         state.Options.subOpenArea != 0,
                                         state.Options.dragMoveToParent != 0);
  const bool moveToParent = plan.count == 3 && ParentIsFileSystem(state);
  int inserted = 0;
  for (int i = 0; i < plan.count; ++i) {
    if (!InsertEntry(state, menu, indexMenu + i, idCmdFirst, plan.entries[i], moveToParent)) break;
    ++inserted;
  }
  if (inserted == 0) {
    RestoreMenuAnimation(state);
    return nothing;
  }
  state.MoveToParentEnabled = inserted == 3 && moveToParent;
  state.ExplorerMenuShown = 0;
  InstallMenuHooks(state);
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, inserted + 1);
}

void EndMenuNeverShown(ExtensionState& state, const void* handler) {
  if (state.MenuInserter != handler) return;
  state.MenuInserter = nullptr;
  if (state.ExplorerMenuShown == 0 && state.CallWndProcHook) MenuTeardown();
}

LPCITEMIDLIST ItemIdList(const ExtensionState& state, ItemId itemId) {
  if (IsRootItemId(itemId)) return AsIdList(state.TargetIdList.get());
  const MenuEntry* entry = LookupEntry(itemId);
  return entry != nullptr ? entry->idList : nullptr;
}

HRESULT WriteCommandHelp(const ExtensionState& state, UINT type, char* buffer, UINT cchMax) {
  if (state.Busy || (type & GCS_HELPTEXTA) == 0) return S_OK;
  const ItemId highlighted = state.HighlightedItemId;
  if (highlighted == kNoItemId || !state.OwnMenuActive) return S_OK;
  // Wide text always; an ANSI request has room for cchMax bytes only, half as many characters.
  const UINT capacity = (type & GCS_UNICODE) ? cchMax : cchMax / sizeof(wchar_t);
  if (buffer == nullptr || capacity == 0) return S_OK;

  // The real path, which the status bar shows as it is.
  wchar_t wide[2 * kPathSize] = L"";
  if (highlighted == state.RootItemData) {
    std::wcscpy(wide, L"Quillo options...");
  } else if (LPCITEMIDLIST list = ItemIdList(state, highlighted)) {
    GetDisplayName(Desktop(), list, wide, 2 * kPathSize, SHGDN_FORPARSING);
  }
  const std::size_t length =
      WholeCharacterUnits(wide, std::min<std::size_t>(wcslen(wide), capacity - 1));
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  std::memcpy(out, wide, length * sizeof(wchar_t));
  out[length] = L'\0';
  return S_OK;
}

}  // namespace quillo
