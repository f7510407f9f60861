#include "scan_path.h"

#include <cctype>
#include <cstring>

namespace quillo {

bool EndsWithSeparator(const char* path) {
  const std::size_t length = std::strlen(path);
  return length > 0 && path[length - 1] == '\\';
}

bool JoinScanPath(char* out, std::size_t size, const char* base, const char* name) {
  if (size == 0) return false;
  const std::size_t baseLength = std::strlen(base), nameLength = std::strlen(name);
  if (baseLength + nameLength >= size) {
    out[0] = '\0';
    return false;
  }
  std::memmove(out, base, baseLength);
  std::memcpy(out + baseLength, name, nameLength + 1);
  return true;
}

bool DirectoryBase(char* out, std::size_t size, const char* path) {
  return JoinScanPath(out, size, path, EndsWithSeparator(path) ? "" : "\\");
}

bool IsAbsolutePath(const char* path) {
  const bool drive = std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                     path[2] == '\\';
  return drive || (path[0] == '\\' && path[1] == '\\');
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace quillo
