// EntryKind: the name field of a listing entry. A value >= 0 is the offset of the entry's name in
// the listing's names buffer; negative values mark the extension's own entries.
#pragma once

#include <cstdint>
#include <span>

namespace quillo {

enum EntryKind : std::int32_t {
  kEmptyEntry = -1,      // "(Empty)" placeholder of an empty folder
  kSeparatorEntry = -2,
  kRecentEntry = -3,     // cascades to the recent items
  kFavoritesEntry = -4,  // cascades to the favourites
  kMoreEntry = -5,       // continues the same folder in a further menu
};

// The text an entry is measured and drawn with: the fixed text of "(Empty)", "Recent",
// "Favorites" and "More...", or the name at the offset, which must end with its NUL inside the
// names buffer. Null for separators and for offsets that do not name a complete name.
const char* EntryText(std::int32_t kind, std::span<const char> names);

// Beside each name the listing keeps its real (UTF-16) form, which is what a person sees: the
// names buffer holds, right after a name's NUL, the 4-byte offset of that form in realNames
// (each real name there ends with its NUL). The real text of an entry, or null for entries
// without a name and for an offset that does not name a complete real name (the ANSI text then
// stands).
constexpr std::size_t kRealNameOffsetSize = 4;
const wchar_t* EntryRealText(std::int32_t kind, std::span<const char> names,
                             std::span<const wchar_t> realNames);

}  // namespace quillo
