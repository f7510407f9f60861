// The 64 slots shared by the recent and favourites lists: each null or an absolute item ID list
// owned by the slot and freed with the shell allocator.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>

namespace quillo {

constexpr int kListSlotCount = 64;

// The number of slots an option (recentCount, favoritesCount) makes visible, kept to 0..64.
inline int ShownSlots(std::int32_t option) {
  return option < 0 ? 0 : option > kListSlotCount ? kListSlotCount : option;
}

class ListSlots {
 public:
  ListSlots() = default;
  ListSlots(const ListSlots&) = delete;
  ListSlots& operator=(const ListSlots&) = delete;
  ~ListSlots() { Clear(); }

  LPCITEMIDLIST Item(int i) const { return i >= 0 && i < kListSlotCount ? slots_[i] : nullptr; }

  // The first item among the first `shown` slots, or null.
  LPCITEMIDLIST FirstItem(int shown) const {
    for (int i = 0; i < shown && i < kListSlotCount; ++i) {
      if (slots_[i] != nullptr) return slots_[i];
    }
    return nullptr;
  }

 protected:
  // Frees every list; the allocator given here frees this list's items from now on.
  void Reset(IMalloc* allocator) {
    Clear();
    allocator_ = allocator;
  }
  void Clear() {
    for (LPITEMIDLIST& slot : slots_) {
      if (slot != nullptr && allocator_ != nullptr) allocator_->Free(slot);
      slot = nullptr;
    }
  }
  // Closes the gaps: the items keep their order and fill the first slots. Returns their count.
  int Compact() {
    int count = 0;
    for (LPITEMIDLIST& slot : slots_) {
      if (slot == nullptr) continue;
      LPITEMIDLIST item = slot;
      slot = nullptr;
      slots_[count++] = item;
    }
    return count;
  }
  void FreeSlot(int i) {
    if (slots_[i] != nullptr) allocator_->Free(slots_[i]);
    slots_[i] = nullptr;
  }

  LPITEMIDLIST slots_[kListSlotCount] = {};
  IMalloc* allocator_ = nullptr;
};

}  // namespace quillo
