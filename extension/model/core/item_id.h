// ItemId as the menu side defines it, plus the lookup rule the listings use.
#pragma once

#include "menu/core/item_id.h"

namespace quillo {

// Where a non-root id points when the menu has levelCount levels and the addressed level's
// listing has entryCount entries (-1 when that level has no listing): the entry index, or -1
// when the id names nothing.
constexpr int ResolveItemIdEntry(ItemId id, int levelCount, int entryCountOfLevel) {
  const int level = ItemIdLevel(id);
  const int entry = ItemIdEntry(id);
  if (IsRootItemId(id) || id == kNoItemId || level < 0 || level >= levelCount) return -1;
  if (entryCountOfLevel < 0 || entry < 0 || entry >= entryCountOfLevel) return -1;
  return entry;
}

}  // namespace quillo
