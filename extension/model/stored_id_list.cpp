#include "stored_id_list.h"

#include "data_file.h"
#include "id_list_bytes.h"

namespace quillo {

StoredIdList ReadStoredIdList(const char* dataFolder, const char* name, int index,
                              IMalloc* allocator) {
  const std::size_t size = ReadDataFile(dataFolder, name, index, nullptr, 0);
  if (size == 0) return {StoredKind::kMissing, nullptr};
  if (size > kMaxStoredIdListSize) return {StoredKind::kInvalid, nullptr};
  auto* bytes = static_cast<std::uint8_t*>(allocator->Alloc(size));
  if (bytes == nullptr) return {StoredKind::kInvalid, nullptr};
  const std::size_t read = ReadDataFile(dataFolder, name, index, bytes, size);
  if (IsSeparatorMarker(bytes, read)) {
    allocator->Free(bytes);
    return {StoredKind::kSeparator, nullptr};
  }
  if (read != size || !IsWellFormedIdList(bytes, read)) {
    allocator->Free(bytes);
    return {StoredKind::kInvalid, nullptr};
  }
  return {StoredKind::kList, reinterpret_cast<LPITEMIDLIST>(bytes)};
}

}  // namespace quillo
