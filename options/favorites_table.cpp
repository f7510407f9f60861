#include "favorites_table.h"

#include <cstring>

#include "core/item_id_bytes.h"

namespace quillo {

void FavoritesTable::Release(FavoriteSlot& slot) {
  if (slot.list != nullptr && allocator_ != nullptr) allocator_->Free(slot.list);
  slot = FavoriteSlot{};
}

void FavoritesTable::Clear() { ClearFirst(kFavoriteSlots); }

void FavoritesTable::ClearFirst(int count) {
  for (int i = 0; i < count && i < kFavoriteSlots; ++i) Release(slots_[i]);
}

void FavoritesTable::Put(int slot, FavoriteKind kind, LPITEMIDLIST list) {
  if (slot < 0 || slot >= kFavoriteSlots) {
    if (list != nullptr && allocator_ != nullptr) allocator_->Free(list);
    return;
  }
  Release(slots_[slot]);
  slots_[slot] = FavoriteSlot{kind, kind == FavoriteKind::kList ? list : nullptr};
}

void FavoritesTable::Store(int slot, const unsigned char* bytes, std::size_t size) {
  if (slot < 0 || slot >= kFavoriteSlots) return;
  FavoriteSlot& target = slots_[slot];
  Release(target);
  if (IsSeparatorMark(bytes, size)) {
    target.kind = FavoriteKind::kSeparator;
    return;
  }
  const std::size_t length = ItemIdListLength(bytes, size);
  if (length == 0 || allocator_ == nullptr) return;
  void* copy = allocator_->Alloc(length);
  if (copy == nullptr) return;
  std::memcpy(copy, bytes, length);
  target.kind = FavoriteKind::kList;
  target.list = static_cast<LPITEMIDLIST>(copy);
}

}  // namespace quillo
