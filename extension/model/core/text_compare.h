// Case-insensitive text comparison of ANSI names, and membership in the options' name lists.
#pragma once

#include <cstddef>

namespace quillo {

// Negative, zero or positive as a sorts before, equal to or after b, ignoring ASCII case.
int CompareNoCase(const char* a, const char* b);

// The same on UTF-16 names, each unit lower-cased by fold (the system's mapping in the
// extension; ASCII only when fold is null), so that ASCII names keep the order above.
using FoldUnit = wchar_t (*)(wchar_t unit);
int CompareNoCase(const wchar_t* a, const wchar_t* b, FoldUnit fold);

// True when text equals, ignoring case, one string of a list of NUL-terminated strings ended by
// an empty string. The list is read at most to listSize bytes, so an unterminated list is safe.
bool ListContainsNoCase(const char* list, std::size_t listSize, const char* text);

// True when a list of NUL-terminated strings has no item (it starts with its end marker).
inline bool ListIsEmpty(const char* list) { return list[0] == '\0'; }

}  // namespace quillo
