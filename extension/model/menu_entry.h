// One entry of a menu: a shell item of a listing or one of the extension's own navigation
// entries.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>

#include "entry_kind.h"

namespace quillo {

constexpr std::uint64_t kSizeNotComputed = ~std::uint64_t{0};

struct MenuEntry {
  std::int32_t name;              // EntryKind: offset into the listing's names, or negative
  LPITEMIDLIST idList;            // absolute, owned by the listing; null for "(Empty)", separators
  std::uint32_t attributes;       // shell attributes; 1 "Recent", 2 "Favorites"
  std::int8_t childState;         // -1 not probed, 0 no submenu, 1 has children
  std::uint8_t parentEntryFlag;   // 1: the listing opened from here ends with a parent entry
  std::int16_t continueIndex;     // "More...": display index where its submenu starts
  std::int32_t iconIndex;         // small icon in the system image list, -1 none
  std::int32_t openIconIndex;     // icon while selected
  std::uint64_t size;             // bytes for the size column; kSizeNotComputed until known
};

// childState and size are written by worker threads after the listing is handed out; every
// access from then on goes through these.
inline std::int8_t LoadChildState(MenuEntry& entry) {
  return std::atomic_ref<std::int8_t>(entry.childState).load(std::memory_order_acquire);
}
inline void StoreChildState(MenuEntry& entry, std::int8_t state) {
  std::atomic_ref<std::int8_t>(entry.childState).store(state, std::memory_order_release);
}

// The entry the whole menu starts from: its listing ends with a parent entry.
inline MenuEntry MakeRootEntry(LPITEMIDLIST targetIdList, std::uint32_t targetAttributes) {
  return MenuEntry{0, targetIdList, targetAttributes, 1, 1, 0, -1, -1, kSizeNotComputed};
}

}  // namespace quillo
