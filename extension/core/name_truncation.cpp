#include "name_truncation.h"

#include <cstring>
#include <cwchar>

namespace quillo {
namespace {

constexpr std::size_t kDotCount = 6;

// Offset in units of the character with index `character` (the end for one past the last).
std::size_t UnitOffset(const wchar_t* name, std::size_t units, std::size_t character) {
  std::size_t offset = 0;
  for (; character > 0 && offset < units; --character) {
    offset += IsHighSurrogate(name[offset]) && offset + 1 < units ? 2 : 1;
  }
  return offset;
}

std::size_t CharacterCount(const wchar_t* name, std::size_t units) {
  std::size_t count = 0;
  for (std::size_t offset = 0; offset < units; ++count) {
    offset += IsHighSurrogate(name[offset]) && offset + 1 < units ? 2 : 1;
  }
  return count;
}

}  // namespace

void TruncateMiddle(char* name, std::size_t length) {
  constexpr char kDots[] = "......";
  const std::size_t nameLength = std::strlen(name);
  if (nameLength <= length) return;
  if (length < kDotCount) {
    name[length] = '\0';
    return;
  }
  const std::size_t keep = (length - kDotCount) / 2;
  std::memcpy(name + keep, kDots, kDotCount);
  std::memmove(name + keep + kDotCount, name + nameLength - keep, keep + 1);  // with the NUL
}

void TruncateMiddle(wchar_t* name, std::size_t length) {
  const std::size_t units = std::wcslen(name);
  const std::size_t characters = CharacterCount(name, units);
  if (characters <= length) return;
  if (length < kDotCount) {
    name[UnitOffset(name, units, length)] = L'\0';
    return;
  }
  const std::size_t keep = (length - kDotCount) / 2;
  const std::size_t head = UnitOffset(name, units, keep);
  const std::size_t tail = UnitOffset(name, units, characters - keep);
  std::wmemset(name + head, L'.', kDotCount);
  std::wmemmove(name + head + kDotCount, name + tail, units - tail + 1);  // with the NUL
}

}  // namespace quillo
