#include "option_text.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace quillo {

void ExtensionListToText(const char* list, std::size_t listSize, char* out, std::size_t outSize) {
  if (out == nullptr || outSize == 0) return;
  out[0] = '\0';
  if (list == nullptr) return;
  std::size_t used = 0;
  std::size_t at = 0;
  while (at < listSize && list[at] != '\0') {
    const std::size_t length = strnlen(list + at, listSize - at);
    if (used > 0) {
      if (outSize - used < 4) break;
      std::memcpy(out + used, ", ", 2);
      used += 2;
    }
    const std::size_t room = outSize - used - 1;
    const std::size_t copy = length < room ? length : room;
    std::memcpy(out + used, list + at, copy);
    used += copy;
    out[used] = '\0';
    at += length + 1;
  }
}

bool TextToExtensionList(const char* text, char* list, std::size_t listSize) {
  if (list == nullptr || listSize < 4) return false;
  std::memset(list, 0, listSize);
  bool wildcard = false;
  std::size_t used = 0;
  for (const char* p = text == nullptr ? "" : text; *p != '\0' && listSize - used >= 4;) {
    if (p[0] == '*' && p[1] == '.') {
      p += 2;
    } else if (*p == ' ' || *p == ',') {
      if (used > 0 && list[used - 1] != '\0') list[used++] = '\0';
      ++p;
    } else {
      wildcard = wildcard || *p == '*';
      list[used++] = *p++;
    }
  }
  // The list was zeroed, so the item and the list are already closed with two zero bytes.
  return wildcard;
}

void FormatDelayLabel(int milliseconds, char* out, std::size_t outSize) {
  if (out == nullptr || outSize == 0) return;
  const float seconds = static_cast<float>((milliseconds + 50) / 100) / 10.0f;
  std::snprintf(out, outSize, "%.1f second%s", seconds, seconds == 1.0f ? "" : "s");
  if (std::strlen(out) > 2 && out[1] == '.' && out[2] == '0') {
    std::memmove(out + 1, out + 3, std::strlen(out + 3) + 1);
  }
}

int Clamp(int value, int a, int b) {
  if (a > b) {
    const int t = a;
    a = b;
    b = t;
  }
  return value < a ? a : (value > b ? b : value);
}

std::optional<int> ParseNumber(const char* text) {
  if (text == nullptr) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text) return std::nullopt;
  if (errno == ERANGE || value > std::numeric_limits<int>::max() ||
      value < std::numeric_limits<int>::min()) {
    return value < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  return static_cast<int>(value);
}

}  // namespace quillo
