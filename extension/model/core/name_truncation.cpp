#include "name_truncation.h"

#include <cstdio>
#include <cstring>

namespace quillo {

void TruncateName(const char* name, std::size_t n, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const std::size_t length = std::strlen(name);
  if (length <= n || n < 6) {
    std::snprintf(out, outSize, "%s", name);
    return;
  }
  const int keep = static_cast<int>((n - 6) / 2);
  std::snprintf(out, outSize, "%.*s......%s", keep, name, name + length - keep);
}

}  // namespace quillo
