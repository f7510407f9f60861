// Middle truncation of long names for menus.
#pragma once

#include <cstddef>

namespace quillo {

constexpr std::size_t kMenuNameLength = 64;

// When name is longer than length characters, keeps the first (length - 6) / 2 characters, then
// "......", then the last (length - 6) / 2, in place. Below 6 characters there is no room for
// the dots and the name is simply cut.
void TruncateMiddle(char* name, std::size_t length = kMenuNameLength);

}  // namespace quillo
