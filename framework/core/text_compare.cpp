#include "text_compare.h"

namespace lwf {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualsIgnoringCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (Lower(*a) != Lower(*b)) return false;
  }
  return *a == *b;
}

}  // namespace lwf
