#include "level_building.h"

#include "extension_state.h"
#include "menu/core/highlight.h"
#include "menu/core/open_level.h"
#include "menu/core/sub_open_area.h"
#include "menu_trace.h"
#include "menu_window.h"
#include "submenu_worker.h"
#include "win_geometry.h"

namespace quillo {
namespace {

bool MouseButtonDown() {
  return ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000) != 0;
}

Point CursorPoint() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return ToPoint(cursor);
}

void PostCursorIdle() {
  const ExtensionState& state = State();
  PostMessageA(state.MenuOwnerWindow, state.CursorMsg, 0, 0);
}

bool NextLevelShowing(int parent, HMENU popup) {
  const MenuLevel* next = LevelAt(parent + 1);
  if (next == nullptr || next->popupMenu != popup) return false;
  HWND window = next->menuWindow.load(std::memory_order_relaxed);
  return window != nullptr && IsWindowVisible(window);
}

// The parent entry learns how many items its submenu got; an empty one stops cascading. Wine's
// menu loop ends when the popup it is opening is taken off its entry, so there the popup stays
// until it closes (ReleaseEmptiedSubmenu in MenuWindowProc).
void RecordChildCount(int parent, int positionInParent, MenuEntry& entry, int count) {
  StoreChildState(entry, static_cast<std::int8_t>(ChildStateFromCount(count)));
  MenuLevel* parentLevel = LevelAt(parent);
  if (count != 0 || parentLevel == nullptr || RunningUnderWine()) return;
  SetEntrySubmenu(*parentLevel, positionInParent, nullptr, parentLevel->createdSubmenus);
  RedrawEntry(*parentLevel, positionInParent);
}

}  // namespace

bool CursorLeftSelection() {
  return quillo::CursorLeftSelection(CursorPoint(), ToRect(State().SelectedItemRect));
}

int FillLevel(MenuLevel& level, int levelIndex) {
  const ExtensionState& state = State();
  const LevelLayoutInput layout = LevelLayout(level);
  MoveOnCheck movedOn;
  int i = 0;
  for (std::optional<LevelItem> item; (item = LevelItemAt(layout, i)); ++i) {
    if (movedOn.Due(GetTickCount()) && (CursorLeftSelection() || MouseButtonDown())) return -1;
    MenuEntry& entry = level.listing->entries[static_cast<std::size_t>(item->entryIndex)];
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    info.fType = MFT_OWNERDRAW | (item->menuBarBreak ? MFT_MENUBARBREAK : 0);
    info.wID = state.RootItemData;
    info.dwItemData = MakeItemId(levelIndex, item->entryIndex);
    info.hSubMenu = LoadChildState(entry) > 0 ? CreatePopupMenu() : nullptr;
    if (info.hSubMenu != nullptr && level.createdSubmenus.Append(info.hSubMenu) < 0) {
      DestroyMenu(info.hSubMenu);
      info.hSubMenu = nullptr;
    }
    InsertMenuItemA(level.popupMenu, static_cast<UINT>(item->position), TRUE, &info);
    const char* text = EntryText(entry.name, ListingNames(*level.listing));  // null: separator
    const wchar_t* real = EntryRealText(entry.name, ListingNames(*level.listing),
                                        ListingRealNames(*level.listing));
    MenuTraceEntry("fill level=%d position=%d child=%d real=%s text=%s", levelIndex,
                   item->position, LoadChildState(entry),
                   TraceText(real != nullptr ? real : L"").text, text != nullptr ? text : "");
    if (entry.name == kRecentEntry || entry.name == kFavoritesEntry) {
      MenuTraceEntry("icon level=%d position=%d index=module", levelIndex, item->position);
    } else if (text != nullptr) {
      MenuTraceEntry("icon level=%d position=%d index=%d", levelIndex, item->position, entry.iconIndex);
    }
  }
  level.createdSubmenus.Reserve(level.createdSubmenus.count() + static_cast<std::size_t>(i));
  return i;
}

LRESULT OpenLevel(HMENU popup, int positionInParent) {
  ExtensionState& state = State();
  const ItemId highlighted = state.HighlightedItemId;
  const int parent = ParentLevel(highlighted);
  const OptionsRecord& options = state.Options;
  OpenLevelInput decision;
  decision.highlightedItemId = highlighted;
  decision.levelCount = LevelCount();
  decision.nextLevelVisible = NextLevelShowing(parent, popup);
  decision.heldBySubOpenArea = SubmenuHeldBack(
      options.subOpenArea != 0, state.SelectedByMouse != 0, CursorPoint(),
      ToRect(state.SelectedItemRect),
      EffectiveSubOpenAreaWidth(options.subOpenAreaWidth, state.Metrics.ItemHeight));
  switch (DecideOpenLevel(decision)) {
    case OpenLevelAction::kLeaveEmpty: MenuTrace("open-level left-empty"); return 0;
    case OpenLevelAction::kAlreadyOpen: MenuTrace("open-level already-open"); return 1;
    case OpenLevelAction::kBuild: break;
  }
  for (int index = LevelCount() - 1; index > parent; --index) DestroyLevel(index);
  MenuLevel* level = AppendLevel();
  if (level == nullptr) return 0;
  const int levelIndex = LevelCount() - 1;
  MenuEntry* entry = parent < 0 ? &Levels().root : LookupEntry(highlighted);
  if (entry == nullptr) return 0;

  MenuTrace("level-start level=%d", levelIndex);
  ApplyCursorMessage(1);
  const bool fromRoot = parent < 0;
  level->listing = state.Listings.Acquire(*entry, fromRoot, fromRoot);
  level->firstEntry = entry->continueIndex;
  level->showSizes = options.sizeInfoShown != 0;
  if (level->listing == nullptr) {
    MenuTrace("open-level level=%d no-listing", levelIndex);
    PostCursorIdle();
    return 0;
  }
  level->popupMenu = popup;
  const int count = FillLevel(*level, levelIndex);
  MenuTrace("open-level level=%d first=%d items=%d", levelIndex, level->firstEntry, count);
  if (count < 0) {
    DestroyLevel(levelIndex);
    PostCursorIdle();
    return 0;
  }
  RecordChildCount(parent, positionInParent, *entry, count);
  StartWorker(*level);
  return 0;
}

}  // namespace quillo
