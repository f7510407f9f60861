#include "entry_position.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "menu_metrics.h"

namespace quillo {

namespace {

// The menu's item heights with the entry inserted at position k, framed by separators as the
// separator rule would frame it; `entry` receives the entry's index in the result.
std::vector<int> HeightsWithEntryAt(int k, std::span<const int> heights, int itemHeight,
                                    int separatorHeight, std::size_t& entry) {
  const int m = static_cast<int>(heights.size());
  std::vector<int> list;
  list.reserve(heights.size() + 3);
  for (int j = 0; j <= m; ++j) {
    const int remaining = j < m ? heights[j] : 0;
    if (j == k) {
      if (k > 0 && !list.empty() && list.back() != separatorHeight) list.push_back(separatorHeight);
      entry = list.size();
      list.push_back(itemHeight);
      if (k < m && remaining != separatorHeight) list.push_back(separatorHeight);
    }
    if (j < m) list.push_back(remaining);
  }
  return list;
}

// Where a menu of total height `total` opened at the cursor has its top.
int MenuTop(Point cursor, const Rect& area, int total) {
  if (area.bottom - cursor.y >= total) return cursor.y;
  if (cursor.y - area.top >= total) return cursor.y - total;
  return area.bottom - total;
}

int NearMousePosition(Point cursor, const Rect& area, std::span<const int> heights, int itemHeight,
                      int separatorHeight) {
  const int m = static_cast<int>(heights.size());
  int best = 0;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (int k = 0; k <= m; ++k) {
    std::size_t entry = 0;
    const std::vector<int> list = HeightsWithEntryAt(k, heights, itemHeight, separatorHeight, entry);
    std::int64_t total = kMenuFrameHeight;
    std::int64_t before = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      total += list[i];
      if (i < entry) before += list[i];
    }
    const std::int64_t top = MenuTop(cursor, area, static_cast<int>(total));
    const std::int64_t centre = top + before + (itemHeight + kMenuFrameHeight) / 2 - 1;
    const std::int64_t d = (cursor.y - centre) * (cursor.y - centre);
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
  const std::size_t n = std::min<std::size_t>(in.items.size(), kMaxRepositionedItems);
  std::vector<int> heights;
  heights.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const ExplorerMenuItem& item = in.items[i];
    heights.push_back(item.separator ? in.separatorHeight : in.itemHeight);
    if (item.itemData == in.rootItemData) placement.from = static_cast<int>(i);
  }
  if (placement.from < 0) return placement;
  heights.erase(heights.begin() + placement.from);
  placement.to = TargetPosition(in.menuPosition, in.cursor, in.area, heights, in.itemHeight,
                                in.separatorHeight);
  placement.moves = true;
  placement.addSeparators = true;
  return placement;
}

}  // namespace quillo
