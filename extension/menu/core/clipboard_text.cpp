#include "clipboard_text.h"

#include <type_traits>

#include "utf16_units.h"

namespace quillo {
namespace {

template <typename Char>
std::size_t AppendLine(Char* block, std::size_t capacity, std::size_t used, const Char* name) {
  std::size_t length = 0;
  while (length < kClipboardNameMax && name[length] != 0) ++length;
  // A UTF-16 name cut in the middle of a surrogate pair loses the whole character.
  if constexpr (std::is_same_v<Char, wchar_t>) length = WholeCharacterUnits(name, length);
  if (used > capacity || capacity - used < length + 3) return used;
  for (std::size_t i = 0; i < length; ++i) block[used + i] = name[i];
  used += length;
  block[used++] = '\r';
  block[used++] = '\n';
  block[used] = 0;
  return used;
}

}  // namespace

std::size_t AppendClipboardLine(char* block, std::size_t capacity, std::size_t used, const char* name) {
  return AppendLine(block, capacity, used, name);
}

std::size_t AppendClipboardLine(wchar_t* block, std::size_t capacity, std::size_t used,
                                const wchar_t* name) {
  return AppendLine(block, capacity, used, name);
}

}  // namespace quillo
