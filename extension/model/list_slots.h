// The 64 slots shared by the recent and favourites lists: each null or an absolute item ID list
// owned by the slot and freed with the shell allocator. The menu thread reloads them, the
// action thread adds to the recent list, and enumeration threads read them, possibly after the
// menu that started them is gone: the slots have one owner at a time, and a reader on another
// thread works on copies of its own.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>

namespace quillo {

constexpr int kListSlotCount = 64;

// Copies of the first slots of a list, for a thread that reads them while others may change
// the list; its lists are its own and freed with it.
class SlotsCopy {
 public:
  SlotsCopy() = default;
  SlotsCopy(const SlotsCopy&) = delete;
  SlotsCopy& operator=(const SlotsCopy&) = delete;
  ~SlotsCopy() {
    for (LPITEMIDLIST item : items_) {
      if (item != nullptr) allocator_->Free(item);
    }
  }

  int Count() const { return count_; }
  LPCITEMIDLIST Item(int i) const { return i >= 0 && i < count_ ? items_[i] : nullptr; }
  bool IsSeparator(int i) const { return i >= 0 && i < count_ && separators_[i]; }
  LPCITEMIDLIST FirstItem() const {
    for (int i = 0; i < count_; ++i) {
      if (items_[i] != nullptr) return items_[i];
    }
    return nullptr;
  }

 private:
  friend class ListSlots;
  LPITEMIDLIST items_[kListSlotCount] = {};
  bool separators_[kListSlotCount] = {};
  int count_ = 0;
  IMalloc* allocator_ = nullptr;
};

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

  // Copies of the first `shown` slots (separators included), taken as the list's owner; a copy
  // that cannot be allocated leaves its slot empty in the copy.
  void CopyTo(int shown, SlotsCopy& copy) const {
    const Ownership owner(*this);
    copy.allocator_ = allocator_;
    copy.count_ = shown < 0 ? 0 : shown > kListSlotCount ? kListSlotCount : shown;
    for (int i = 0; i < copy.count_; ++i) {
      copy.separators_[i] = separators_[i];
      copy.items_[i] = slots_[i] != nullptr ? CopyList(slots_[i]) : nullptr;
    }
  }

  // A copy of the first item among the first `shown` slots, taken as the list's owner; null
  // when there is none.
  LPITEMIDLIST CopyFirstItem(int shown) const {
    const Ownership owner(*this);
    const LPCITEMIDLIST first = FirstItem(shown);
    return first != nullptr ? CopyList(first) : nullptr;
  }

  // Direct reads, for the thread that owns the list while no other thread can change it.
  LPCITEMIDLIST Item(int i) const { return i >= 0 && i < kListSlotCount ? slots_[i] : nullptr; }
  bool IsSeparator(int i) const { return i >= 0 && i < kListSlotCount && separators_[i]; }

  // The first item among the first `shown` slots, or null.
  LPCITEMIDLIST FirstItem(int shown) const {
    for (int i = 0; i < shown && i < kListSlotCount; ++i) {
      if (slots_[i] != nullptr) return slots_[i];
    }
    return nullptr;
  }

 protected:
  // Held by whoever reads or changes the slots from a thread that others may run beside: the
  // menu thread loading, the action thread adding and saving, an enumeration copying. A second
  // owner waits, polling every millisecond; every holder only copies, reads files or writes
  // them, so the wait is short.
  class Ownership {
   public:
    explicit Ownership(const ListSlots& slots) : slots_(slots) {
      while (slots_.owned_.exchange(1, std::memory_order_acquire) != 0) Sleep(kOwnerPollMs);
    }
    ~Ownership() { slots_.owned_.store(0, std::memory_order_release); }
    Ownership(const Ownership&) = delete;
    Ownership& operator=(const Ownership&) = delete;

   private:
    static constexpr DWORD kOwnerPollMs = 1;
    const ListSlots& slots_;
  };

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
    for (bool& separator : separators_) separator = false;
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
  bool separators_[kListSlotCount] = {};  // favourites only
  IMalloc* allocator_ = nullptr;

 private:
  LPITEMIDLIST CopyList(LPCITEMIDLIST list) const;
  mutable std::atomic<std::uint8_t> owned_{0};
};

}  // namespace quillo
