// FavoritesTable: the 64 favourite slots, each empty, a separator or an owned item ID list
// allocated with the shell allocator.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>

namespace quillo {

constexpr int kFavoriteSlots = 64;

enum class FavoriteKind { kEmpty, kSeparator, kList };

struct FavoriteSlot {
  FavoriteKind kind = FavoriteKind::kEmpty;
  LPITEMIDLIST list = nullptr;  // owned, only for kList
};

class FavoritesTable {
 public:
  FavoritesTable() = default;
  FavoritesTable(const FavoritesTable&) = delete;
  FavoritesTable& operator=(const FavoritesTable&) = delete;
  ~FavoritesTable() { Clear(); }

  // The allocator the lists are owned through (held by the program state).
  void SetAllocator(IMalloc* allocator) { allocator_ = allocator; }

  // Frees every owned list and empties all slots.
  void Clear();

  // Takes a copy of the bytes of a stored favourite: the separator mark, a valid item ID list
  // (copied with its exact length), or nothing for bytes that hold neither.
  void Store(int slot, const unsigned char* bytes, std::size_t size);

  // Empties the first count slots, freeing their lists.
  void ClearFirst(int count);

  // Puts a separator or a list (ownership passes to the table) into an empty slot.
  void Put(int slot, FavoriteKind kind, LPITEMIDLIST list);

  const FavoriteSlot& operator[](int slot) const { return slots_[slot]; }

 private:
  void Release(FavoriteSlot& slot);

  FavoriteSlot slots_[kFavoriteSlots];
  IMalloc* allocator_ = nullptr;
};

}  // namespace quillo
