// What the menus need to know of one item of Explorer's context menu: whether it is a
// separator, and its item data (RootItemData marks the extension's own entries).
#pragma once

#include <cstdint>

namespace quillo {

struct ExplorerMenuItem {
  bool separator = false;
  std::uint32_t itemData = 0;
};

}  // namespace quillo
