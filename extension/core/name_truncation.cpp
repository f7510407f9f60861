#include "name_truncation.h"

#include <cstring>

namespace quillo {

void TruncateMiddle(char* name, std::size_t length) {
  constexpr char kDots[] = "......";
  constexpr std::size_t kDotCount = sizeof kDots - 1;
  const std::size_t nameLength = std::strlen(name);
  if (nameLength <= length) return;
  if (length < kDotCount) {
    name[length] = '\0';
    return;
  }
  const std::size_t keep = (length - kDotCount) / 2;
  std::memcpy(name + keep, kDots, kDotCount);
  std::memmove(name + keep + kDotCount, name + nameLength - keep, keep + 1);  // with the NUL
}

}  // namespace quillo
