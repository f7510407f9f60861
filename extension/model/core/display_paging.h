// Paging of a long display order for single-column menus: every page of p slots holds p - 2
// entries, a separator and a "More..." entry whose submenu starts at the next page.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "growable_array.h"

namespace quillo {

// Smallest page that can hold an entry besides its separator and "More...": with fewer slots
// the walk would insert faster than it advances and never end.
constexpr std::int32_t kMinItemsPerPage = 3;

// makeBreak(continueIndex, separatorEntry&, moreEntry&) creates the two entries and reports
// their entry indexes; false drops that break. Stops when `cancel` becomes non-zero.
template <typename MakeBreak>
void PageDisplayOrder(GrowableArray<std::int32_t>& order, std::int32_t itemsPerPage,
                      MakeBreak makeBreak, const std::atomic<std::uint8_t>& cancel) {
  if (itemsPerPage < kMinItemsPerPage) return;
  const std::size_t p = static_cast<std::size_t>(itemsPerPage);
  std::size_t i = 0;
  while (i < order.count()) {
    if (cancel.load(std::memory_order_relaxed) != 0) return;
    if (i == 0 || i % p != p - 2) {
      ++i;
      continue;
    }
    std::int32_t separator = -1;
    std::int32_t more = -1;
    if (makeBreak(static_cast<std::int32_t>(i + 2), separator, more) &&
        order.Insert(i, separator) >= 0 && order.Insert(i + 1, more) < 0) {
      order.RemoveAt(i);  // keep pages whole: no separator without its "More..."
    }
    i += 3;
  }
}

}  // namespace quillo
