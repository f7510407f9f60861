// The text the menus put on the clipboard: one line per item, each the item's name followed by
// CR LF (the last line too), ANSI, NUL-terminated.
#pragma once

#include <cstddef>

namespace quillo {

// Room the clipboard block reserves per item, and the longest name a line carries (a name is
// cut to the 260-byte buffers names live in, 259 characters and the NUL).
constexpr std::size_t kClipboardBytesPerItem = 520;
constexpr std::size_t kClipboardNameMax = 259;

// Appends name (cut to kClipboardNameMax) and CR LF to the text of length used in block, keeping
// it NUL-terminated; a line that does not fit is left out. Returns the new length.
std::size_t AppendClipboardLine(char* block, std::size_t capacity, std::size_t used, const char* name);

}  // namespace quillo
