// Item ID list operations on lists allocated with the shell allocator. (The extension entry
// offers the same operations for every part; these serve the item model until they are joined.)
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>

namespace quillo {

// Bytes of a list including its terminator; 0 for a null list.
std::size_t IdListByteCount(LPCITEMIDLIST list);

// True for the empty list (the desktop).
inline bool IsEmptyIdList(LPCITEMIDLIST list) { return list != nullptr && list->mkid.cb == 0; }

// A new list with the same bytes; null for a null list or when memory is short.
LPITEMIDLIST CopyIdList(IMalloc* allocator, LPCITEMIDLIST list);

// A new list: first without its terminator followed by second; a copy of the other when either
// is null.
LPITEMIDLIST JoinIdLists(IMalloc* allocator, LPCITEMIDLIST first, LPCITEMIDLIST second);

// Removes the last element in place. False for a null or empty list.
bool RemoveLastIdListElement(LPITEMIDLIST list);

// The last element of a non-empty list (points into it), or null.
LPCITEMIDLIST LastIdListElement(LPCITEMIDLIST list);

// Owns one list and frees it with the shell allocator.
class IdListOwner {
 public:
  IdListOwner(IMalloc* allocator, LPITEMIDLIST list) : allocator_(allocator), list_(list) {}
  IdListOwner(const IdListOwner&) = delete;
  IdListOwner& operator=(const IdListOwner&) = delete;
  ~IdListOwner() {
    if (list_) allocator_->Free(list_);
  }
  LPITEMIDLIST get() const { return list_; }
  LPITEMIDLIST release() {
    LPITEMIDLIST list = list_;
    list_ = nullptr;
    return list;
  }

 private:
  IMalloc* allocator_;
  LPITEMIDLIST list_;
};

}  // namespace quillo
