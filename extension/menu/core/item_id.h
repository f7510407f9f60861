// ItemId: how a menu item of the extension names its entry (the item data of every item the
// extension inserts). Values from 0xFFFF0000 up stand for the root entry; otherwise the high 16
// bits are the menu level and the low 16 bits the entry's index in that level's listing.
#pragma once

#include <cstdint>

namespace quillo {

using ItemId = std::uint32_t;

// HighlightedItemId when nothing is highlighted (-1 as the int the menus keep it in).
constexpr ItemId kNoItemId = 0xFFFFFFFFu;
constexpr ItemId kRootItemIdBase = 0xFFFF0000u;
constexpr int kMaxItemIdLevel = 0x7FFF;
// The low word is read unsigned, so entry indexes up to 65535 can be named.
constexpr int kMaxItemIdEntry = 0xFFFF;

constexpr bool IsRootItemId(ItemId id) { return id >= kRootItemIdBase && id != kNoItemId; }

// The level as a signed 16-bit value: -1 for the root entry and for kNoItemId.
constexpr int ItemIdLevel(ItemId id) { return static_cast<std::int16_t>(id >> 16); }

constexpr int ItemIdEntry(ItemId id) { return static_cast<int>(id & 0xFFFFu); }

constexpr bool CanNameEntry(int level, int entryIndex) {
  return level >= 0 && level <= kMaxItemIdLevel && entryIndex >= 0 && entryIndex <= kMaxItemIdEntry;
}

// Only for values CanNameEntry accepts.
constexpr ItemId MakeItemId(int level, int entryIndex) {
  return (static_cast<ItemId>(level) << 16) | static_cast<ItemId>(entryIndex);
}

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
