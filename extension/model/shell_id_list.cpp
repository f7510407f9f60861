#include "shell_id_list.h"

#include <cstring>

#include "item_id_list.h"

namespace quillo {

std::size_t IdListByteCount(LPCITEMIDLIST list) {
  return IdListSize(list);
}

LPITEMIDLIST CopyIdList(IMalloc* allocator, LPCITEMIDLIST list) {
  if (list == nullptr) return nullptr;
  const std::size_t size = IdListByteCount(list);
  auto* copy = static_cast<LPITEMIDLIST>(allocator->Alloc(size));
  if (copy != nullptr) std::memcpy(copy, list, size);
  return copy;
}

LPITEMIDLIST JoinIdLists(IMalloc* allocator, LPCITEMIDLIST first, LPCITEMIDLIST second) {
  if (first == nullptr) return CopyIdList(allocator, second);
  if (second == nullptr) return CopyIdList(allocator, first);
  const std::size_t head = IdListByteCount(first) - 2;
  const std::size_t tail = IdListByteCount(second);
  auto* joined = static_cast<std::uint8_t*>(allocator->Alloc(head + tail));
  if (joined == nullptr) return nullptr;
  std::memcpy(joined, first, head);
  std::memcpy(joined + head, second, tail);
  return reinterpret_cast<LPITEMIDLIST>(joined);
}

LPCITEMIDLIST LastIdListElement(LPCITEMIDLIST list) {
  if (list == nullptr || list->mkid.cb == 0) return nullptr;
  const auto* at = reinterpret_cast<const std::uint8_t*>(list);
  for (;;) {
    const auto* next = at + reinterpret_cast<LPCITEMIDLIST>(at)->mkid.cb;
    if (reinterpret_cast<LPCITEMIDLIST>(next)->mkid.cb == 0) {
      return reinterpret_cast<LPCITEMIDLIST>(at);
    }
    at = next;
  }
}

bool RemoveLastIdListElement(LPITEMIDLIST list) {
  LPCITEMIDLIST last = LastIdListElement(list);
  if (last == nullptr) return false;
  const_cast<LPITEMIDLIST>(last)->mkid.cb = 0;
  return true;
}

}  // namespace quillo
