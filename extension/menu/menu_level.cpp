#include "menu_level.h"

#include <new>

#include "extension_state.h"
#include "menu_trace.h"
#include "sent_message_wait.h"

namespace quillo {
namespace {

constexpr DWORD kWorkerPollMs = 10;

void DestroyMenus(GrowableArray<HMENU>& menus) {
  for (std::size_t i = 0; i < menus.count(); ++i) DestroyMenu(menus[i]);
  menus.Clear();
}

}  // namespace

MenuLevelStack& Levels() {
  alignas(MenuLevelStack) static unsigned char storage[sizeof(MenuLevelStack)];
  static MenuLevelStack* stack = new (storage) MenuLevelStack();
  return *stack;
}

int LevelCount() { return static_cast<int>(Levels().levels.count()); }

MenuLevel* LevelAt(int index) {
  return index >= 0 && index < LevelCount() ? Levels().levels[static_cast<std::size_t>(index)]
                                            : nullptr;
}

LevelLayoutInput LevelLayout(const MenuLevel& level) {
  const ExtensionState& state = State();
  LevelLayoutInput in;
  in.firstEntry = level.firstEntry;
  if (level.listing != nullptr) {
    const GrowableArray<std::int32_t>& order = level.listing->order;
    in.order = std::span<const std::int32_t>(order.data(), order.count());
  }
  in.itemsPerColumn = state.Metrics.ItemsPerColumn;
  in.multiColumn = state.Options.multiColumn != 0;
  return in;
}

MenuLevel* AppendLevel() {
  auto* level = new (std::nothrow) MenuLevel;
  if (level == nullptr) return nullptr;
  if (Levels().levels.Append(level) < 0) {
    delete level;
    return nullptr;
  }
  return level;
}

MenuEntry* LookupEntry(std::uint32_t itemId) {
  if (IsRootItemId(itemId)) return &Levels().root;
  MenuLevel* level = LevelAt(ItemIdLevel(itemId));
  if (level == nullptr || level->listing == nullptr) return nullptr;
  const int entry = ResolveItemIdEntry(itemId, LevelCount(),
                                       static_cast<int>(level->listing->entries.count()));
  return entry < 0 ? nullptr : &level->listing->entries[static_cast<std::size_t>(entry)];
}

void ClearLevelMenu(MenuLevel& level) {
  if (level.popupMenu == nullptr) return;
  const int count = GetMenuItemCount(level.popupMenu);
  for (int i = 0; i < count; ++i) RemoveMenu(level.popupMenu, 0, MF_BYPOSITION);
}

void DestroyLevel(int index) {
  MenuLevel* level = LevelAt(index);
  if (level == nullptr) return;
  const DWORD start = GetTickCount();
  bool waited = false;
  while (level->workerRunning.load(std::memory_order_acquire) != 0) {
    level->workerAbort.store(1, std::memory_order_relaxed);
    WaitAnsweringSentMessages(kWorkerPollMs);
    waited = true;
  }
  if (waited) MenuTrace("worker-wait level=%d ms=%lu", index, GetTickCount() - start);
  ClearLevelMenu(*level);
  DestroyMenus(level->createdSubmenus);
  DestroyMenus(level->workerSubmenus);
  if (level->listing != nullptr) State().Listings.Release(level->listing);
  Levels().levels.RemoveAt(static_cast<std::size_t>(index));
  delete level;
}

void DestroyAllLevels() {
  for (int index = LevelCount() - 1; index >= 0; --index) DestroyLevel(index);
}

void SetEntrySubmenu(MenuLevel& level, int position, HMENU submenu, GrowableArray<HMENU>& created) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_SUBMENU;
  item.hSubMenu = submenu;
  if (!SetMenuItemInfoA(level.popupMenu, static_cast<UINT>(position), TRUE, &item)) {
    if (submenu != nullptr) DestroyMenu(submenu);  // never attached: nobody else frees it
    return;
  }
  if (submenu != nullptr && created.Append(submenu) < 0) {
    // Without a record the popup would outlive the level; detach and free it instead.
    item.hSubMenu = nullptr;
    SetMenuItemInfoA(level.popupMenu, static_cast<UINT>(position), TRUE, &item);
    DestroyMenu(submenu);
  }
}

void RedrawEntry(const MenuLevel& level, int position) {
  HWND window = level.menuWindow.load(std::memory_order_acquire);
  if (window == nullptr) return;
  RECT rect;
  if (!GetMenuItemRect(window, level.popupMenu, static_cast<UINT>(position), &rect)) return;
  if (!IsWindowVisible(window)) return;
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(window, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace quillo
