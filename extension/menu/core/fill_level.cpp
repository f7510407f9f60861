#include "fill_level.h"

#include <algorithm>

#include "item_id.h"

namespace quillo {

std::optional<LevelItem> LevelItemAt(const LevelLayoutInput& in, int i) {
  const int perColumn = std::max(in.itemsPerColumn, 1);
  if (i < 0 || i >= kMaxLevelItems || in.firstEntry < 0) return std::nullopt;
  if (!in.multiColumn && i >= perColumn) return std::nullopt;
  const std::int64_t k = static_cast<std::int64_t>(in.firstEntry) + i;
  if (k >= static_cast<std::int64_t>(in.order.size())) return std::nullopt;
  const std::int32_t entry = in.order[static_cast<std::size_t>(k)];
  if (entry < 0 || entry > kMaxItemIdEntry) return std::nullopt;
  return LevelItem{static_cast<int>(k), i, entry, i > 0 && i % perColumn == 0};
}

int ChildStateFromCount(int count) { return std::clamp(count, 0, 127); }

}  // namespace quillo
