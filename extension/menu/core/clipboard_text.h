// The text the menus put on the clipboard: one line per item, each the item's name followed by
// CR LF (the last line too), NUL-terminated; once ANSI, once UTF-16 with the real names.
#pragma once

#include <cstddef>

namespace quillo {

// Room the clipboard block reserves per item (in characters), and the longest name a line
// carries (a name is cut to the 260-character buffers names live in, 259 and the NUL).
constexpr std::size_t kClipboardBytesPerItem = 520;
constexpr std::size_t kClipboardNameMax = 259;

// Appends name (cut to kClipboardNameMax) and CR LF to the text of length used in block, keeping
// it NUL-terminated; a line that does not fit is left out. Returns the new length.
// Sizes count characters.
std::size_t AppendClipboardLine(char* block, std::size_t capacity, std::size_t used, const char* name);
std::size_t AppendClipboardLine(wchar_t* block, std::size_t capacity, std::size_t used,
                                const wchar_t* name);

}  // namespace quillo
