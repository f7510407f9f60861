// Byte operations on shell item ID lists: a sequence of items, each starting with its 16-bit
// little-endian byte count (the count included), ended by a zero count. Lists returned here are
// new blocks from the given allocator, owned by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

// Where ID lists come from and go to (the shell allocator in the extension).
class IdListAllocator {
 public:
  virtual void* Allocate(std::size_t size) = 0;
  virtual void Free(void* block) = 0;

 protected:
  ~IdListAllocator() = default;
};

// Bytes including the 2-byte terminator; 0 for a null list.
std::size_t IdListSize(const void* list);

// True for the empty list (no items: the desktop); a null list is no list, hence not empty.
bool IsEmptyIdList(const void* list);

// A new list of the same bytes; null for a null list or when allocation fails.
void* CopyIdList(IdListAllocator& allocator, const void* list);

// The first list without its terminator followed by the second; a copy of the other when either
// is null. Null when both are null or allocation fails.
void* JoinIdLists(IdListAllocator& allocator, const void* first, const void* second);

// Removes the last item in place. False for a null or empty list.
bool ParentIdList(void* list);

// Removes the last item from list in place and returns it as a new one-item list. Null for a null
// list (or a failed allocation, which leaves the list whole); a copy for an empty list.
void* SplitOffLastId(IdListAllocator& allocator, void* list);

// True when a list starting at bytes ends (zero count) within size bytes; its size is then
// stored in listSize.
bool BoundedIdListSize(const std::uint8_t* bytes, std::size_t size, std::size_t& listSize);

// A list that frees itself with its allocator.
class OwnedIdList {
 public:
  OwnedIdList() = default;
  OwnedIdList(IdListAllocator& allocator, void* list) : allocator_(&allocator), list_(list) {}
  OwnedIdList(OwnedIdList&& other) noexcept;
  OwnedIdList& operator=(OwnedIdList&& other) noexcept;
  OwnedIdList(const OwnedIdList&) = delete;
  OwnedIdList& operator=(const OwnedIdList&) = delete;
  ~OwnedIdList() { reset(); }

  void* get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  void reset();
  // Gives up ownership.
  void* release();

 private:
  IdListAllocator* allocator_ = nullptr;
  void* list_ = nullptr;
};

}  // namespace quillo
