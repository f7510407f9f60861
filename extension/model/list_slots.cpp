#include "list_slots.h"

#include "shell_item.h"

namespace quillo {

LPITEMIDLIST ListSlots::CopyList(LPCITEMIDLIST list) const {
  return allocator_ != nullptr ? CopyIdList(allocator_, list) : nullptr;
}

}  // namespace quillo
