#include "clipboard_text.h"

#include <cstring>

namespace quillo {

std::size_t AppendClipboardLine(char* block, std::size_t capacity, std::size_t used, const char* name) {
  std::size_t length = 0;
  while (length < kClipboardNameMax && name[length] != '\0') ++length;
  if (used > capacity || capacity - used < length + 3) return used;
  std::memcpy(block + used, name, length);
  used += length;
  block[used++] = '\r';
  block[used++] = '\n';
  block[used] = '\0';
  return used;
}

}  // namespace quillo
