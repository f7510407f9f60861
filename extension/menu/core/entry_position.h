// Where the extension's entry goes in Explorer's context menu when that menu is about to appear,
// for menuPosition 1 (Near mouse), 2 (Top of menu) and 3 (Bottom of menu).
#pragma once

#include <cstdint>
#include <span>

#include "explorer_menu_item.h"
#include "screen_geometry.h"

namespace quillo {

enum MenuPositionOption { kMenuPositionDefault = 0, kNearMouse = 1, kTopOfMenu = 2, kBottomOfMenu = 3 };

// Only this many items of Explorer's menu are looked at.
constexpr int kMaxRepositionedItems = 256;

// The area a popup menu must fit in: the work area from Windows Vista on (version code 600 and
// above), the whole monitor before.
Rect PositioningArea(int windowsVersionCode, const Rect& monitorRect, const Rect& workAreaRect);

// The insertion position of the entry in the menu without it, whose items have the given heights
// (SeparatorHeight for separators, ItemHeight otherwise): 0 for Top of menu, the item count
// (appended) for Bottom of menu. Near mouse (and any other value) simulates the menu with the
// entry at every position, framed by the separators that would be added, opened at the cursor
// (downward when it fits below, else upward, else pushed up from the area's bottom), and picks
// the first position whose entry centre is nearest the cursor's y, also when none comes within
// 316 pixels of it (a cursor outside the area, on a taskbar, with a menu taller than the area).
int TargetPosition(int menuPosition, Point cursor, const Rect& area, std::span<const int> heights,
                   int itemHeight, int separatorHeight);

struct PlacementInput {
  int invocationMode = 0;  // 0 context menu; drag-and-drop menus are never moved
  int menuPosition = 0;
  std::uint32_t rootItemData = 0;
  std::span<const ExplorerMenuItem> items;
  Point cursor;
  Rect area;
  int itemHeight = 0;
  int separatorHeight = 0;
};

struct EntryPlacement {
  bool addSeparators = false;  // false: leave Explorer's menu exactly as it is
  bool moves = false;          // remove the entry at `from`, insert it again at `to`
  int from = -1;               // position in the menu as it is
  int to = -1;                 // position in the menu without the entry
};

// The decision of the call-window-procedure hook when Explorer's menu is about to appear. In
// context mode with a menuPosition other than Default the entry (the last item carrying
// rootItemData among the first 256) is moved; when it is missing nothing is changed. In every
// other case the separators are added around the entries in place.
EntryPlacement PlanEntryPlacement(const PlacementInput& in);

}  // namespace quillo
