#include "entry_separators.h"

namespace quillo {

SeparatorInsertions PlanEntrySeparators(std::span<const ExplorerMenuItem> items,
                                        std::uint32_t rootItemData) {
  SeparatorInsertions result;
  const int count = static_cast<int>(items.size());
  int first = -1;
  int last = -1;
  for (int i = 0; i < count; ++i) {
    if (items[i].itemData != rootItemData) continue;
    if (first < 0) first = i;
    last = i;
  }
  if (first < 0) return result;
  if (last < count - 1 && !items[last + 1].separator) result.after = last + 1;
  if (first > 0 && !items[first - 1].separator) result.before = first;
  return result;
}

}  // namespace quillo
