#include "exclude_objects.h"

#include <cstring>

namespace quillo {

std::vector<std::string> ReadObjectList(const char* field, std::size_t size) {
  std::vector<std::string> names;
  if (field == nullptr) return names;
  std::size_t at = 0;
  while (at < size && field[at] != '\0') {
    const std::size_t length = strnlen(field + at, size - at);
    if (at + length == size) break;
    names.emplace_back(field + at, length);
    at += length + 1;
  }
  return names;
}

std::size_t ObjectListBytes(const std::vector<std::string>& names) {
  std::size_t bytes = 1;
  for (const std::string& name : names) bytes += name.size() + 1;
  return bytes;
}

std::size_t WriteObjectList(const std::vector<std::string>& names, char* field, std::size_t size) {
  if (field == nullptr || size == 0) return 0;
  std::memset(field, 0, size);
  std::size_t used = 0;
  std::size_t written = 0;
  for (const std::string& name : names) {
    // Room for the name, its zero byte and the final zero byte.
    if (name.empty() || used + name.size() + 2 > size) continue;
    std::memcpy(field + used, name.data(), name.size());
    used += name.size() + 1;
    ++written;
  }
  return written;
}

}  // namespace quillo
