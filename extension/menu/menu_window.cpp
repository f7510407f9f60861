#include "menu_window.h"

#include "entry_menu.h"
#include "entry_painter.h"
#include "extension_state.h"
#include "item_activation.h"
#include "level_building.h"
#include "menu/core/highlight.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_session.h"
#include "model_binding.h"
#include "tool_tip_window.h"
#include "win_geometry.h"

#include <cstring>

namespace quillo {
namespace {

constexpr std::uint32_t kMenuDataMask = 0xFFFFFFFFu;

void ShowCursorFor(int busyCount) {
  switch (BusyCursorFor(busyCount)) {
    case BusyCursor::kAppStarting: SetCursor(LoadCursor(nullptr, IDC_APPSTARTING)); break;
    case BusyCursor::kArrow: SetCursor(LoadCursor(nullptr, IDC_ARROW)); break;
    case BusyCursor::kUnchanged: break;
  }
}

// The item data of a menu item, -1 when it cannot be read.
std::uint32_t GetEntryItemId(HMENU menu, UINT item, bool byPosition) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  if (!GetMenuItemInfoA(menu, item, byPosition, &info)) return kNoItemId;
  return static_cast<std::uint32_t>(info.dwItemData & kMenuDataMask);
}

int FindHighlightedPosition(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
  }
  return -1;
}

// The position of the entry of level whose submenu is popup; -1 when none is.
int SubmenuPosition(const MenuLevel& level, HMENU popup) {
  if (level.popupMenu == nullptr) return -1;
  const int count = GetMenuItemCount(level.popupMenu);
  for (int i = 0; i < count; ++i) {
    if (GetSubMenu(level.popupMenu, i) == popup) return i;
  }
  return -1;
}

// The ItemId of the entry of level index whose submenu is popup; kNoItemId when none is.
ItemId SubmenuOwner(int index, HMENU popup) {
  const MenuLevel* level = LevelAt(index);
  const int position = level == nullptr ? -1 : SubmenuPosition(*level, popup);
  return position < 0 ? kNoItemId : GetEntryItemId(level->popupMenu, static_cast<UINT>(position), true);
}

// A level's popup closed. A highlight still inside that level or deeper is stale: when Left
// closes a submenu, Wine reports no new highlight before the next key, and a Right must then
// reopen the level from the entry it belongs to. Windows reports the new highlight itself, so
// this runs under Wine only.
void ForgetClosedLevel(HMENU popup) {
  if (!RunningUnderWine()) return;
  ExtensionState& state = State();
  for (int index = 0; index < LevelCount(); ++index) {
    if (LevelAt(index)->popupMenu != popup) continue;
    const ItemId highlighted = state.HighlightedItemId;
    if (highlighted == kNoItemId || IsRootItemId(highlighted) || ItemIdLevel(highlighted) < index) return;
    const ItemId owner = index == 0 ? state.RootItemData : SubmenuOwner(index - 1, popup);
    if (owner == kNoItemId) return;
    state.HighlightedItemId = owner;
    MenuTrace("level-closed level=%d highlight=0x%08x", index, owner);
    return;
  }
}

// A popup that closed after its folder turned out to list nothing comes off its entry now (under
// Wine OpenLevel leaves it attached while it is open): the entry stops cascading.
void ReleaseEmptiedSubmenu(HMENU popup) {
  if (!RunningUnderWine()) return;
  for (int index = 0; index < LevelCount(); ++index) {
    MenuLevel& level = *LevelAt(index);
    const int position = SubmenuPosition(level, popup);
    if (position < 0) continue;
    MenuEntry* entry = LookupEntry(GetEntryItemId(level.popupMenu, static_cast<UINT>(position), true));
    if (entry == nullptr || LoadChildState(*entry) != 0) return;
    SetEntrySubmenu(level, position, nullptr, level.createdSubmenus);
    RedrawEntry(level, position);
    MenuTrace("submenu-released level=%d position=%d", index, position);
    return;
  }
}

// An entry whose children are still unknown cascades as soon as it is highlighted: it gets an
// empty popup that OpenLevel fills (or removes when the folder shows nothing).
void AttachSubmenuOnHighlight(std::uint32_t itemId, int position) {
  MenuEntry* entry = LookupEntry(itemId);
  MenuLevel* level = LevelAt(ItemIdLevel(itemId));
  if (entry == nullptr || level == nullptr) return;
  std::int8_t expected = -1;
  if (!std::atomic_ref<std::int8_t>(entry->childState)
           .compare_exchange_strong(expected, static_cast<std::int8_t>(kChildStateAttached),
                                    std::memory_order_acq_rel)) {
    return;
  }
  SetEntrySubmenu(*level, position, CreatePopupMenu(), level->createdSubmenus);
}

void TrackHighlight(WPARAM wParam, LPARAM lParam) {
  ExtensionState& state = State();
  const auto menu = reinterpret_cast<HMENU>(lParam);
  const UINT flags = HIWORD(wParam);
  if (state.InvocationMode > 0) ShowCursorFor(state.BusyCursorCount);
  if (state.Options.toolTipsEnabled) {
    HideToolTip();
    state.HoverTicks = 0;
  }
  if (MenuLoopClosing(menu == nullptr, flags)) {
    MenuTeardown();
    return;
  }
  const int position = FindHighlightedPosition(menu);
  RECT item{}, desktop{};
  POINT cursor{};
  SelectionInput in;
  in.itemRectKnown = GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item) != 0;
  GetCursorPos(&cursor);
  GetWindowRect(GetDesktopWindow(), &desktop);
  in.mouseSelectFlag = (flags & MF_MOUSESELECT) != 0;
  in.item = ToRect(item);
  in.cursor = ToPoint(cursor);
  in.desktop = ToRect(desktop);
  in.underWine = RunningUnderWine();
  const Selection selection = SelectionFor(in);
  state.SelectedItemRect = ToRECT(selection.rect);
  state.SelectedByMouse = selection.byMouse ? 1 : 0;
  if (menu == state.ExplorerMenu) {
    state.HighlightedItemId = kNoItemId;
    state.OwnMenuActive = position >= 0 &&
                          GetEntryItemId(menu, static_cast<UINT>(position), true) == state.RootItemData;
    if (state.InvocationMode > 0 && position >= 0) {
      char text[kPathSize + 1] = "";
      GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
      std::memcpy(state.HighlightedText, text, sizeof text);
      state.InvocationMode = DragModeFromEntryText(text, state.InvocationMode);
      SyncItemModel(state);
    }
  }
  if (!state.OwnMenuActive || position < 0) return;
  const std::uint32_t itemId = GetEntryItemId(menu, static_cast<UINT>(position), true);
  state.HighlightedItemId = itemId;
  MenuTrace("highlight item=0x%08x position=%d mouse=%d rect=%ld,%ld,%ld,%ld", itemId, position,
            state.SelectedByMouse, state.SelectedItemRect.left, state.SelectedItemRect.top,
            state.SelectedItemRect.right, state.SelectedItemRect.bottom);
  if (!IsRootItemId(itemId)) AttachSubmenuOnHighlight(itemId, position);
}

// Quillo_RButtonMsg: the shell's own context menu for the highlighted entry, or an activation
// when nothing is highlighted.
void RightButton() {
  ExtensionState& state = State();
  HideToolTip();
  const ItemId highlighted = state.HighlightedItemId;
  if (highlighted == kNoItemId) {
    ActivateHighlighted();
    return;
  }
  const MenuEntry* entry = LookupEntry(highlighted);
  LPCITEMIDLIST list = IsRootItemId(highlighted) ? static_cast<LPCITEMIDLIST>(
                                                       static_cast<void*>(state.TargetIdList.get()))
                                                 : entry != nullptr ? entry->idList : nullptr;
  if (list != nullptr) ShowEntryMenu(list);
}

bool IsOwnerDrawnMenuItem(UINT controlType, UINT itemId) {
  return controlType == ODT_MENU && itemId == State().RootItemData;
}

}  // namespace

// Wine's own menus: it exports wine_get_version from ntdll. The compensations for what its menu
// loop does not report act only there; on Windows the messages decide alone.
bool RunningUnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

void ApplyCursorMessage(WPARAM wParam) {
  ExtensionState& state = State();
  state.BusyCursorCount = NextBusyCursorCount(state.BusyCursorCount, wParam);
  MenuTrace("cursor busy=%d", state.BusyCursorCount);
  ShowCursorFor(state.BusyCursorCount);
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ExtensionState& state = State();
  const WNDPROC previous = state.PreviousWindowProc;
  if (message != 0 && message == state.LButtonMsg) {
    ActivateHighlighted();
    return 0;
  }
  if (message != 0 && message == state.RButtonMsg) {
    RightButton();
    return 0;
  }
  if (message != 0 && message == state.CursorMsg) {
    ApplyCursorMessage(wParam);
    return 0;
  }
  switch (message) {
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlType == ODT_MENU && state.OwnMenuActive) {
        DrawOwnEntry(draw);
        return TRUE;
      }
      if (IsOwnerDrawnMenuItem(draw.CtlType, draw.itemID)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure.CtlType == ODT_MENU && state.OwnMenuActive) {
        MeasureOwnEntry(measure);
        return TRUE;
      }
      if (IsOwnerDrawnMenuItem(measure.CtlType, measure.itemID)) return TRUE;
      break;
    }
    case WM_TIMER:
      if (wParam == kHoverTimerId) {
        HoverTimerTick();
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      if (state.OwnMenuActive) {
        return OpenLevel(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
      }
      break;
    case WM_UNINITMENUPOPUP:
      if (state.OwnMenuActive) {
        ForgetClosedLevel(reinterpret_cast<HMENU>(wParam));
        ReleaseEmptiedSubmenu(reinterpret_cast<HMENU>(wParam));
      }
      break;
    case WM_MENUSELECT:
      TrackHighlight(wParam, lParam);
      break;
    case WM_ENTERIDLE:
      if (state.ReopenOnIdle) {
        keybd_event(VK_RIGHT, 0, 0, 0);
        keybd_event(VK_RIGHT, 0, KEYEVENTF_KEYUP, 0);
        state.ReopenOnIdle = 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace quillo
