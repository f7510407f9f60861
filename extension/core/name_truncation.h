// Middle truncation of long names for menus, on the ANSI names and on the real (UTF-16) names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "utf16_units.h"

namespace quillo {

constexpr std::size_t kMenuNameLength = 64;

// When name is longer than length characters, keeps the first (length - 6) / 2 characters, then
// "......", then the last (length - 6) / 2, in place. Below 6 characters there is no room for
// the dots and the name is simply cut.
void TruncateMiddle(char* name, std::size_t length = kMenuNameLength);

// The same on UTF-16 code units, counting a surrogate pair (a character beyond the Basic
// Multilingual Plane) as the one character it is and never splitting it.
void TruncateMiddle(wchar_t* name, std::size_t length = kMenuNameLength);

}  // namespace quillo
