#include "text_compare.h"

#include <cstdint>
#include <cstring>

namespace quillo {
namespace {

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c; }

}  // namespace

int CompareNoCase(const wchar_t* a, const wchar_t* b, FoldUnit fold) {
  if (fold == nullptr) fold = FoldAscii;
  // Units compare as unsigned 16-bit values whatever the width of wchar_t.
  auto unit = [fold](wchar_t c) { return static_cast<int>(static_cast<std::uint16_t>(fold(c))); };
  while (*a != 0 && unit(*a) == unit(*b)) {
    ++a;
    ++b;
  }
  return unit(*a) - unit(*b);
}

int CompareNoCase(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  while (*x != 0 && Fold(*x) == Fold(*y)) {
    ++x;
    ++y;
  }
  return static_cast<int>(Fold(*x)) - static_cast<int>(Fold(*y));
}

bool ListContainsNoCase(const char* list, std::size_t listSize, const char* text) {
  std::size_t at = 0;
  while (at < listSize && list[at] != '\0') {
    const char* item = list + at;
    const std::size_t length = strnlen(item, listSize - at);
    if (at + length == listSize) return false;  // the last item has no terminator
    if (CompareNoCase(item, text) == 0) return true;
    at += length + 1;
  }
  return false;
}

}  // namespace quillo
