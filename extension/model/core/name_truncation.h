// Middle truncation of long names for menus: the first and last (n - 6) / 2 characters around
// "......".
#pragma once

#include <cstddef>

namespace quillo {

constexpr std::size_t kMenuNameLength = 64;

// Writes the name, or its truncated form when longer than n characters, into out (cut to
// outSize).
void TruncateName(const char* name, std::size_t n, char* out, std::size_t outSize);

}  // namespace quillo
