#include "entry_kind.h"

#include <cstring>
#include <cwchar>

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

const wchar_t* EntryRealText(std::int32_t kind, std::span<const char> names,
                             std::span<const wchar_t> realNames) {
  if (kind < 0 || static_cast<std::size_t>(kind) >= names.size()) return nullptr;
  const char* name = names.data() + kind;
  const std::size_t room = names.size() - static_cast<std::size_t>(kind);
  const void* end = std::memchr(name, '\0', room);
  if (end == nullptr) return nullptr;
  const std::size_t after = static_cast<std::size_t>(static_cast<const char*>(end) - name) + 1;
  if (room - after < kRealNameOffsetSize) return nullptr;
  std::int32_t offset;
  std::memcpy(&offset, name + after, sizeof offset);
  if (offset < 0 || static_cast<std::size_t>(offset) >= realNames.size()) return nullptr;
  const wchar_t* real = realNames.data() + offset;
  return std::wmemchr(real, L'\0', realNames.size() - static_cast<std::size_t>(offset)) != nullptr
             ? real
             : nullptr;
}

}  // namespace quillo
