// The byte structure of item ID lists as they are stored in the recent and favourites files:
// elements that each begin with their 16-bit byte count, ended by a zero count.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

// Largest recent or favourite file the extension reads; real lists are a few hundred bytes.
constexpr std::size_t kMaxStoredIdListSize = 64 * 1024;

// True when the bytes are exactly one well-formed list: every element count at least 3 (its own
// two bytes and data) and inside the buffer, and the two-byte terminator as the last bytes.
bool IsWellFormedIdList(const std::uint8_t* bytes, std::size_t size);

// The favourites' separator marker: the file starts with FF FF FF FF.
bool IsSeparatorMarker(const std::uint8_t* bytes, std::size_t size);

}  // namespace quillo
