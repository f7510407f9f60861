#include "bounded_text.h"

#include <cstring>

namespace lwf {

void CopyText(char* out, std::size_t outSize, const char* text) {
  if (out == nullptr || outSize == 0) return;
  const std::size_t length = text == nullptr ? 0 : strnlen(text, outSize - 1);
  if (length > 0) std::memcpy(out, text, length);
  out[length] = '\0';
}

void AppendText(char* out, std::size_t outSize, const char* text) {
  if (out == nullptr || outSize == 0) return;
  const std::size_t used = strnlen(out, outSize - 1);
  CopyText(out + used, outSize - used, text);
}

}  // namespace lwf
