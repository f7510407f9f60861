// The order of a listing sorted by name: folders first; on the desktop, virtual items before
// file-system items within each group; then the names ignoring case: their real (UTF-16) forms
// when both keys carry one, so that names the code page cannot hold are not ordered by their
// question marks.
#pragma once

#include <cstdint>

#include "text_compare.h"

namespace quillo {

struct NameKey {
  std::uint32_t attributes;
  const char* name;
  const wchar_t* realName = nullptr;
};

// Negative when a sorts before b, positive when after, 0 for equal keys. fold lower-cases the
// units of the real names (see CompareNoCase).
int CompareByName(const NameKey& a, const NameKey& b, bool desktopListing,
                  FoldUnit fold = nullptr);

}  // namespace quillo
