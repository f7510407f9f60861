#include "item_id_list.h"

#include <cstring>
#include <utility>

namespace quillo {
namespace {

constexpr std::size_t kTerminatorSize = 2;

std::uint16_t ItemCount(const std::uint8_t* at) {
  std::uint16_t count;
  std::memcpy(&count, at, sizeof count);
  return count;
}

void WriteTerminator(std::uint8_t* at) { std::memset(at, 0, kTerminatorSize); }

// Offset of the last item, or of the terminator when the list is empty.
std::size_t LastItemOffset(const std::uint8_t* list) {
  std::size_t offset = 0, last = 0;
  for (std::uint16_t count; (count = ItemCount(list + offset)) != 0; offset += count) last = offset;
  return last;
}

void* AllocateCopy(IdListAllocator& allocator, const void* bytes, std::size_t size) {
  void* block = allocator.Allocate(size);
  if (block != nullptr) std::memcpy(block, bytes, size);
  return block;
}

}  // namespace

std::size_t IdListSize(const void* list) {
  if (list == nullptr) return 0;
  const auto* bytes = static_cast<const std::uint8_t*>(list);
  std::size_t size = 0;
  for (std::uint16_t count; (count = ItemCount(bytes + size)) != 0;) size += count;
  return size + kTerminatorSize;
}

bool IsEmptyIdList(const void* list) {
  return list != nullptr && ItemCount(static_cast<const std::uint8_t*>(list)) == 0;
}

void* CopyIdList(IdListAllocator& allocator, const void* list) {
  if (list == nullptr) return nullptr;
  return AllocateCopy(allocator, list, IdListSize(list));
}

void* JoinIdLists(IdListAllocator& allocator, const void* first, const void* second) {
  if (first == nullptr) return CopyIdList(allocator, second);
  if (second == nullptr) return CopyIdList(allocator, first);
  const std::size_t firstItems = IdListSize(first) - kTerminatorSize;
  const std::size_t secondSize = IdListSize(second);
  auto* joined = static_cast<std::uint8_t*>(allocator.Allocate(firstItems + secondSize));
  if (joined == nullptr) return nullptr;
  std::memcpy(joined, first, firstItems);
  std::memcpy(joined + firstItems, second, secondSize);
  return joined;
}

bool ParentIdList(void* list) {
  if (list == nullptr || IsEmptyIdList(list)) return false;
  auto* bytes = static_cast<std::uint8_t*>(list);
  WriteTerminator(bytes + LastItemOffset(bytes));
  return true;
}

void* SplitOffLastId(IdListAllocator& allocator, void* list) {
  if (list == nullptr) return nullptr;
  if (IsEmptyIdList(list)) return CopyIdList(allocator, list);
  auto* bytes = static_cast<std::uint8_t*>(list);
  const std::size_t last = LastItemOffset(bytes);
  const std::size_t count = ItemCount(bytes + last);
  auto* item = static_cast<std::uint8_t*>(allocator.Allocate(count + kTerminatorSize));
  if (item == nullptr) return nullptr;
  std::memcpy(item, bytes + last, count);
  WriteTerminator(item + count);
  WriteTerminator(bytes + last);
  return item;
}

bool BoundedIdListSize(const std::uint8_t* bytes, std::size_t size, std::size_t& listSize) {
  std::size_t offset = 0;
  while (offset + kTerminatorSize <= size) {
    const std::uint16_t count = ItemCount(bytes + offset);
    if (count == 0) {
      listSize = offset + kTerminatorSize;
      return true;
    }
    // An item shorter than its own count field would never advance.
    if (count < kTerminatorSize) return false;
    offset += count;
  }
  return false;
}

OwnedIdList::OwnedIdList(OwnedIdList&& other) noexcept
    : allocator_(other.allocator_), list_(std::exchange(other.list_, nullptr)) {}

OwnedIdList& OwnedIdList::operator=(OwnedIdList&& other) noexcept {
  if (this != &other) {
    reset();
    allocator_ = other.allocator_;
    list_ = std::exchange(other.list_, nullptr);
  }
  return *this;
}

void OwnedIdList::reset() {
  if (list_ != nullptr) allocator_->Free(list_);
  list_ = nullptr;
}

void* OwnedIdList::release() { return std::exchange(list_, nullptr); }

}  // namespace quillo
