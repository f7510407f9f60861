#include "item_id_bytes.h"

namespace quillo {
namespace {

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool IsSeparatorMark(const std::uint8_t* bytes, std::size_t size) {
  return bytes != nullptr && size >= 4 && bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF &&
         bytes[3] == 0xFF;
}

std::size_t ItemIdListLength(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr) return 0;
  std::size_t at = 0;
  while (at + 2 <= size) {
    const std::uint16_t count = ReadU16(bytes + at);
    if (count == 0) return at + 2;
    if (count < 2 || count > size - at) return 0;
    at += count;
  }
  return 0;
}

}  // namespace quillo
