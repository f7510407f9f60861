#include "entry_kind.h"

#include <cstring>

namespace quillo {

const char* EntryText(std::int32_t kind, std::span<const char> names) {
  switch (kind) {
    case kEmptyEntry:
      return "(Empty)";
    case kRecentEntry:
      return "Recent";
    case kFavoritesEntry:
      return "Favorites";
    case kMoreEntry:
      return "More...";
    default:
      break;
  }
  if (kind < 0 || static_cast<std::size_t>(kind) >= names.size()) return nullptr;
  const char* name = names.data() + kind;
  const std::size_t room = names.size() - static_cast<std::size_t>(kind);
  return std::memchr(name, '\0', room) != nullptr ? name : nullptr;
}

}  // namespace quillo
