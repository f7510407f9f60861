// The separators that frame the extension's entry (or its block of drag-and-drop entries) in
// Explorer's context menu. The hook runs this at every opening of that menu, so applying the
// result to a menu that already has its separators changes nothing.
#pragma once

#include <cstdint>
#include <span>

#include "explorer_menu_item.h"

namespace quillo {

struct SeparatorInsertions {
  int after = -1;   // insert a separator at this position first (-1: none)
  int before = -1;  // then insert a separator at this position (-1: none)
};

// first/last = the first and last item carrying rootItemData. A separator goes after the last
// unless it is the final item or already followed by one, and before the first unless it is at
// position 0 or already preceded by one. No entry: nothing. Apply `after` before `before`: the
// second insertion lies before the first and is not shifted by it.
SeparatorInsertions PlanEntrySeparators(std::span<const ExplorerMenuItem> items,
                                        std::uint32_t rootItemData);

}  // namespace quillo
