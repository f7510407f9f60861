#include "list_slots.h"

#include "shell_id_list.h"

namespace quillo {

LPITEMIDLIST ListSlots::CopyList(LPCITEMIDLIST list) const {
  return allocator_ != nullptr ? CopyIdList(allocator_, list) : nullptr;
}

}  // namespace quillo
