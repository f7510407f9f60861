#include "entry_position.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "menu_metrics.h"

namespace quillo {

namespace {

// The menu with the entry inserted at position k, framed by separators as the separator rule
// would frame it: its total height (frame included) and the height of what lies above the entry.
struct SimulatedMenu {
  std::int64_t total = kMenuFrameHeight;
  std::int64_t aboveEntry = 0;
};

SimulatedMenu SimulateEntryAt(int k, std::span<const int> heights, int itemHeight,
                              int separatorHeight) {
  const int m = static_cast<int>(heights.size());
  SimulatedMenu menu;
  bool anyAdded = false;
  int lastAdded = 0;
  const auto add = [&](int height) {
    menu.total += height;
    anyAdded = true;
    lastAdded = height;
  };
  for (int j = 0; j <= m; ++j) {
    if (j == k) {
      if (k > 0 && anyAdded && lastAdded != separatorHeight) add(separatorHeight);
      menu.aboveEntry = menu.total - kMenuFrameHeight;
      add(itemHeight);
      if (k < m && heights[j] != separatorHeight) add(separatorHeight);
    }
    if (j < m) add(heights[j]);
  }
  return menu;
}

// Where a menu of total height `total` opened at the cursor has its top.
std::int64_t MenuTop(Point cursor, const Rect& area, std::int64_t total) {
  const std::int64_t y = cursor.y;
  if (area.bottom - y >= total) return y;
  if (y - area.top >= total) return y - total;
  return area.bottom - total;
}

int NearMousePosition(Point cursor, const Rect& area, std::span<const int> heights, int itemHeight,
                      int separatorHeight) {
  const int m = static_cast<int>(heights.size());
  const std::int64_t y = cursor.y;
  int best = 0;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (int k = 0; k <= m; ++k) {
    const SimulatedMenu menu = SimulateEntryAt(k, heights, itemHeight, separatorHeight);
    const std::int64_t top = MenuTop(cursor, area, menu.total);
    const std::int64_t centre = top + menu.aboveEntry + (itemHeight + kMenuFrameHeight) / 2 - 1;
    const std::int64_t d = (y - centre) * (y - centre);
    if (d < bestDistance) {
      bestDistance = d;
      best = k;
    }
  }
  return best;
}

}  // namespace

Rect PositioningArea(int windowsVersionCode, const Rect& monitorRect, const Rect& workAreaRect) {
  return windowsVersionCode >= 600 ? workAreaRect : monitorRect;
}

int TargetPosition(int menuPosition, Point cursor, const Rect& area, std::span<const int> heights,
                   int itemHeight, int separatorHeight) {
  switch (menuPosition) {
    case kTopOfMenu:
      return 0;
    case kBottomOfMenu:
      return static_cast<int>(heights.size());
    default:
      return NearMousePosition(cursor, area, heights, itemHeight, separatorHeight);
  }
}

EntryPlacement PlanEntryPlacement(const PlacementInput& in) {
  EntryPlacement placement;
  if (in.invocationMode != 0 || in.menuPosition == kMenuPositionDefault) {
    placement.addSeparators = true;
    return placement;
  }
  // Fixed room: this runs inside Explorer's menu thread and must not allocate.
  std::array<int, kMaxRepositionedItems> heights{};
  const std::size_t n = std::min<std::size_t>(in.items.size(), kMaxRepositionedItems);
  for (std::size_t i = 0; i < n; ++i) {
    const ExplorerMenuItem& item = in.items[i];
    heights[i] = item.separator ? in.separatorHeight : in.itemHeight;
    if (item.itemData == in.rootItemData) placement.from = static_cast<int>(i);
  }
  if (placement.from < 0) return placement;
  std::copy(heights.begin() + placement.from + 1, heights.begin() + n,
            heights.begin() + placement.from);
  placement.to = TargetPosition(in.menuPosition, in.cursor, in.area,
                                std::span<const int>(heights.data(), n - 1), in.itemHeight,
                                in.separatorHeight);
  placement.moves = true;
  placement.addSeparators = true;
  return placement;
}

}  // namespace quillo
