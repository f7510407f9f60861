// Checks on the bytes of a stored favourite: an item ID list (SHITEMID entries, each starting with
// its 16-bit byte count, ended by a 16-bit 0) or the separator mark FF FF FF FF.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

constexpr std::uint32_t kSeparatorMark = 0xFFFFFFFFu;

bool IsSeparatorMark(const std::uint8_t* bytes, std::size_t size);

// Length of the list including its terminator, or 0 when the bytes do not hold a complete list
// (an entry shorter than its count field or running past the end, or no terminator).
std::size_t ItemIdListLength(const std::uint8_t* bytes, std::size_t size);

}  // namespace quillo
