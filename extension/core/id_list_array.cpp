#include "id_list_array.h"

#include <cstring>

#include "item_id_list.h"

namespace quillo {
namespace {

std::uint32_t Read32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

IdListArrayView::IdListArrayView(const void* block, std::size_t size)
    : bytes_(static_cast<const std::uint8_t*>(block)), size_(size) {
  if (bytes_ == nullptr || size_ < 4) return;
  const std::uint32_t count = Read32(bytes_);
  // Header: count, parent offset, count item offsets.
  const std::uint64_t header = 4 + 4 * (static_cast<std::uint64_t>(count) + 1);
  if (header > size_) return;
  for (std::uint64_t slot = 0; slot <= count; ++slot) {
    const std::uint32_t offset = Read32(bytes_ + 4 + 4 * slot);
    std::size_t listSize;
    if (offset >= size_ || !BoundedIdListSize(bytes_ + offset, size_ - offset, listSize)) return;
  }
  count_ = count;
  valid_ = true;
}

const void* IdListArrayView::ListAt(std::uint32_t slot) const {
  if (!valid_ || slot > count_) return nullptr;
  return bytes_ + Read32(bytes_ + 4 + 4 * static_cast<std::size_t>(slot));
}

}  // namespace quillo
