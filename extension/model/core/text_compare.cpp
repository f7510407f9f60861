#include "text_compare.h"

#include <cstring>

namespace quillo {
namespace {

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

}  // namespace

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
