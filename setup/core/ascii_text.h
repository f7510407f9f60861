// Case-insensitive comparisons of 8-bit texts that fold only the ASCII letters, as the script,
// the payload names and the command line do.
#pragma once

#include <cstddef>

namespace quillo::setup {

inline char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares at most n characters (stopping at a terminator in either text).
inline bool EqualIgnoringCase(const char* a, const char* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}

inline bool EqualIgnoringCase(const char* a, const char* b) {
  return EqualIgnoringCase(a, b, static_cast<std::size_t>(-1));
}

}  // namespace quillo::setup
