#include "id_list_bytes.h"

namespace quillo {
namespace {

std::size_t CountAt(const std::uint8_t* bytes, std::size_t at) {
  return static_cast<std::size_t>(bytes[at]) | static_cast<std::size_t>(bytes[at + 1]) << 8;
}

}  // namespace

bool IsWellFormedIdList(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < 2 || size > kMaxStoredIdListSize) return false;
  std::size_t at = 0;
  while (at + 2 <= size) {
    const std::size_t count = CountAt(bytes, at);
    if (count == 0) return at + 2 == size;
    if (count < 3 || count > size - at) return false;
    at += count;
  }
  return false;  // no room left for the terminator
}

bool IsSeparatorMarker(const std::uint8_t* bytes, std::size_t size) {
  return size >= 4 && bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF &&
         bytes[3] == 0xFF;
}

}  // namespace quillo
