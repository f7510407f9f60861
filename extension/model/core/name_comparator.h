// The order of a listing sorted by name: folders first; on the desktop, virtual items before
// file-system items within each group; then the names ignoring case.
#pragma once

#include <cstdint>

namespace quillo {

struct NameKey {
  std::uint32_t attributes;
  const char* name;
};

// Negative when a sorts before b, positive when after, 0 for equal keys.
int CompareByName(const NameKey& a, const NameKey& b, bool desktopListing);

}  // namespace quillo
