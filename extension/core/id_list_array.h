// The "Shell IDList Array" a data object hands over: a 32-bit item count, the offset of the
// parent folder's list, then one offset per item list (each relative to the block's start).
// The block comes from another component, so every offset and list is checked against the
// block's size before it is used.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

class IdListArrayView {
 public:
  // Validates the whole block; an invalid block reads as empty (Valid() false).
  IdListArrayView(const void* block, std::size_t size);

  bool Valid() const { return valid_; }
  std::uint32_t Count() const { return count_; }
  const void* Parent() const { return ListAt(0); }
  // Item list i (0-based), relative to the parent folder.
  const void* Item(std::uint32_t i) const { return ListAt(i + 1); }

 private:
  const void* ListAt(std::uint32_t slot) const;

  const std::uint8_t* bytes_;
  std::size_t size_;
  std::uint32_t count_ = 0;
  bool valid_ = false;
};

}  // namespace quillo
