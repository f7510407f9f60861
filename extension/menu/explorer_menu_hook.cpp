#include "explorer_menu_hook.h"

#include <cstdio>

#include <array>

#include "clipboard_copy.h"
#include "extension_state.h"
#include "menu/core/entry_position.h"
#include "menu/core/entry_separators.h"
#include "menu/core/highlight.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_session.h"
#include "model_binding.h"
#include "tool_tip_window.h"
#include "view_option.h"
#include "win_geometry.h"

namespace quillo {
namespace {

struct MenuItems {
  std::array<ExplorerMenuItem, kMaxRepositionedItems> items{};
  int count = 0;
  std::span<const ExplorerMenuItem> span() const { return {items.data(), static_cast<std::size_t>(count)}; }
};

MenuItems ReadItems(HMENU menu) {
  MenuItems read;
  const int count = GetMenuItemCount(menu);
  read.count = count < 0 ? 0 : count > kMaxRepositionedItems ? kMaxRepositionedItems : count;
  for (int i = 0; i < read.count; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    read.items[static_cast<std::size_t>(i)] = {(info.fType & MFT_SEPARATOR) != 0,
                                               static_cast<std::uint32_t>(info.dwItemData)};
  }
  return read;
}

// Takes the entry out at `from` and puts it back at `to` with everything it carried.
void MoveEntry(const ExtensionState& state, HMENU menu, int from, int to) {
  char text[kPathSize] = "";
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(from), TRUE, &info)) return;
  if (!RemoveMenu(menu, static_cast<UINT>(from), MF_BYPOSITION)) return;
  std::snprintf(text, sizeof text, "%s", state.Options.subOpenArea ? "Quillo\t>>>" : "Quillo");
  info.fMask |= MIIM_STRING;
  info.dwTypeData = text;
  InsertMenuItemA(menu, static_cast<UINT>(to), TRUE, &info);
}

void InsertSeparator(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  info.fType = MFT_SEPARATOR;
  InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info);
}

void PlaceEntry(ExtensionState& state, HMENU menu) {
  SyncItemModel(state);
  Levels().root = MakeRootEntry(static_cast<LPITEMIDLIST>(state.TargetIdList.get()),
                                state.TargetAttributes);
  const MenuItems before = ReadItems(menu);
  if (before.count == 0) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  PlacementInput in;
  in.invocationMode = state.InvocationMode;
  in.menuPosition = state.Options.menuPosition;
  in.rootItemData = state.RootItemData;
  in.items = before.span();
  in.cursor = ToPoint(cursor);
  in.area = PositioningArea(state.WindowsVersionCode, ToRect(state.MonitorRect),
                            ToRect(state.WorkAreaRect));
  in.itemHeight = state.Metrics.ItemHeight;
  in.separatorHeight = state.Metrics.SeparatorHeight;
  const EntryPlacement placement = PlanEntryPlacement(in);
  MenuTrace("place-entry moves=%d from=%d to=%d", placement.moves, placement.from, placement.to);
  if (placement.moves) MoveEntry(state, menu, placement.from, placement.to);
  if (!placement.addSeparators) return;
  const MenuItems now = ReadItems(menu);
  const SeparatorInsertions separators = PlanEntrySeparators(now.span(), state.RootItemData);
  if (separators.after >= 0) InsertSeparator(menu, separators.after);
  if (separators.before >= 0) InsertSeparator(menu, separators.before);
}

}  // namespace

void OnExplorerMenuMessage(const CWPSTRUCT& message) {
  ExtensionState& state = State();
  if (state.ExplorerMenu == nullptr) return;
  if (message.message == WM_INITMENUPOPUP &&
      reinterpret_cast<HMENU>(message.wParam) == state.ExplorerMenu) {
    state.ExplorerMenuShown = 1;
    PlaceEntry(state, state.ExplorerMenu);
  } else if (message.message == WM_MENUSELECT &&
             reinterpret_cast<HMENU>(message.lParam) == state.ExplorerMenu) {
    state.CallWndProcHook.reset();  // once per menu
    TakeOverMenuOwner(message.hwnd);
  } else if (message.message == WM_MENUSELECT &&
             MenuLoopClosing(message.lParam == 0, HIWORD(message.wParam))) {
    // Explorer's menu closed before anything in it was selected, so its owner window was never
    // taken over and MenuWindowProc never sees the end of the loop: the teardown runs here.
    MenuTeardown();
  }
}

namespace {

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

bool OnMenuMouseMessage(WPARAM mouseMessage) {
  ExtensionState& state = State();
  if (!state.OwnMenuActive) return false;
  switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      SendMessageA(state.MenuOwnerWindow, state.LButtonMsg, 0, 0);
      return true;
    case WM_RBUTTONUP:
      SendMessageA(state.MenuOwnerWindow, state.RButtonMsg, 0, 0);
      return true;
    case WM_MBUTTONDOWN:
      ToggleViewOption(ViewOption::kSizes);
      return true;
    default:
      return false;
  }
}

bool OnMenuKey(WPARAM virtualKey, LPARAM keyFlags) {
  ExtensionState& state = State();
  const bool pressed = (static_cast<std::uint32_t>(keyFlags) & 0x80000000u) == 0;
  if (!state.OwnMenuActive || !pressed) return false;
  switch (virtualKey) {
    case VK_RETURN: SendMessageA(state.MenuOwnerWindow, state.LButtonMsg, 0, 0); return true;
    case 'C': CopyNamesToClipboard(KeyHeld(VK_SHIFT)); return true;
    case 'H': ToggleViewOption(ViewOption::kHidden); return true;
    case 'P': ToggleViewOption(ViewOption::kProtected); return true;
    case 'S': ToggleViewOption(ViewOption::kSizes); return true;
    case 'U': ToggleViewOption(ViewOption::kUnits); return true;
    default:  // the menu loop moves the highlight, opens and closes submenus
      HideToolTip();
      return false;
  }
}

}  // namespace quillo
