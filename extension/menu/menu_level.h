// MenuLevel: one open menu of the extension's cascade (level 0 hangs under the extension's entry
// in Explorer's menu, level n+1 opens from an entry of level n), and MenuLevelStack, the levels
// open at the moment. Levels live on the heap so that a level's submenu worker can hold it by
// pointer while the stack grows; destroying a level waits for its worker first.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "folder_listing.h"
#include "growable_array.h"
#include "menu/core/fill_level.h"
#include "menu_entry.h"

namespace quillo {

struct MenuLevel {
  HMENU popupMenu = nullptr;
  // Popups attached to entries of this level, destroyed with it: those attached on the menu
  // thread, and those the submenu worker attached (written only by the worker until it ends).
  GrowableArray<HMENU> createdSubmenus;
  GrowableArray<HMENU> workerSubmenus;
  // The window the popup is shown in, known from the level's first WM_DRAWITEM.
  std::atomic<HWND> menuWindow{nullptr};
  RECT selectedRect{};
  FolderListing* listing = nullptr;  // one use held by the level
  int firstEntry = 0;                // display-order index the menu starts at ("More...")
  std::atomic<std::uint8_t> workerRunning{0};
  std::atomic<std::uint8_t> workerAbort{0};
  std::uint8_t showSizes = 0;
};

struct MenuLevelStack {
  GrowableArray<MenuLevel*> levels{128};
  std::atomic<int> scanProgress{0};
  // The entry the whole menu starts from (what ItemIds from 0xFFFF0000 up stand for).
  MenuEntry root{};
};

// The process's one stack; emptied when the menus close.
MenuLevelStack& Levels();
int LevelCount();
MenuLevel* LevelAt(int index);  // null outside the stack

// The layout of the level's items: FillLevel inserts exactly these and its worker walks them.
LevelLayoutInput LevelLayout(const MenuLevel& level);

// Appends a new empty level; null when memory is short.
MenuLevel* AppendLevel();

// The entry an ItemId names: the root entry for root ids, else the entry of a level's listing;
// null when it names nothing.
MenuEntry* LookupEntry(std::uint32_t itemId);

// Stops the level's worker, empties its popup, destroys the popups attached to its entries,
// releases its listing and removes it from the stack (deeper levels move down).
void DestroyLevel(int index);
void DestroyAllLevels();

// Removes every item of the level's popup (the popups attached to them are not destroyed).
void ClearLevelMenu(MenuLevel& level);

// Attaches submenu (null detaches) to the item at position; a new popup is recorded in
// `created` (the level's createdSubmenus on the menu thread, workerSubmenus on its worker).
void SetEntrySubmenu(MenuLevel& level, int position, HMENU submenu, GrowableArray<HMENU>& created);

// Repaints the item at position at once when the level's window is visible. Any thread.
void RedrawEntry(const MenuLevel& level, int position);

}  // namespace quillo
