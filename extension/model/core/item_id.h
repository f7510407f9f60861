// ItemId: how the menu side names an entry. Values from 0xFFFF0000 up are the root entry;
// otherwise the high 16 bits (signed) are the menu level and the low 16 bits (signed) the index
// in that level's listing entries.
#pragma once

#include <cstdint>

namespace quillo {

using ItemId = std::uint32_t;

constexpr ItemId kRootItemIdBase = 0xFFFF0000u;
constexpr ItemId kNoItemId = 0xFFFFFFFFu;

constexpr bool IsRootItemId(ItemId id) { return id >= kRootItemIdBase; }

constexpr ItemId MakeItemId(std::int16_t level, std::int16_t entry) {
  return static_cast<ItemId>(static_cast<std::uint16_t>(level)) << 16 |
         static_cast<std::uint16_t>(entry);
}

constexpr std::int16_t ItemIdLevel(ItemId id) { return static_cast<std::int16_t>(id >> 16); }
constexpr std::int16_t ItemIdEntry(ItemId id) { return static_cast<std::int16_t>(id & 0xFFFF); }

// Where a non-root id points when the menu has levelCount levels and the addressed level's
// listing has entryCount entries (-1 when that level has no listing): the entry index, or -1
// when the id names nothing.
constexpr int ResolveItemIdEntry(ItemId id, int levelCount, int entryCountOfLevel) {
  const int level = ItemIdLevel(id);
  const int entry = ItemIdEntry(id);
  if (IsRootItemId(id) || level < 0 || level >= levelCount) return -1;
  if (entryCountOfLevel < 0 || entry < 0 || entry >= entryCountOfLevel) return -1;
  return entry;
}

}  // namespace quillo
