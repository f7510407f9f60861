#include "dropped_names.h"

#include <cstring>

namespace quillo {

bool IsFullPath(std::string_view path) {
  if (path.size() < 3) return false;
  const char drive = path[0];
  if (((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && path[1] == ':') {
    return path[2] == '\\';
  }
  return path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

std::size_t DroppedNamesSize(std::uint32_t count) {
  // Widened so that the bound, which matters for 32-bit size_t, compares warning-free on 64-bit.
  if (static_cast<std::uintmax_t>(count) > (SIZE_MAX - 1) / kDroppedNameSlot) return 0;
  return static_cast<std::size_t>(count) * kDroppedNameSlot + 1;
}

DroppedNamesWriter::DroppedNamesWriter(char* buffer, std::size_t size)
    : buffer_(buffer), size_(buffer != nullptr ? size : 0) {
  if (size_ > 0) buffer_[0] = '\0';
}

bool DroppedNamesWriter::Append(std::string_view name) {
  if (!IsFullPath(name) || name.size() >= kDroppedNameSlot ||
      name.find('\0') != std::string_view::npos) {
    return false;
  }
  // The name, its NUL and the list's closing NUL.
  if (size_ < 2 || used_ > size_ - 2 || name.size() > size_ - 2 - used_) return false;
  std::memcpy(buffer_ + used_, name.data(), name.size());
  used_ += name.size();
  buffer_[used_++] = '\0';
  buffer_[used_] = '\0';
  return true;
}

std::string_view FirstDroppedName(const char* names, std::size_t size) {
  if (names == nullptr) return {};
  const std::size_t limit = size < kDroppedNameSlot ? size : kDroppedNameSlot;
  const void* end = std::memchr(names, '\0', limit);
  if (end == nullptr) return {};
  return std::string_view(names, static_cast<std::size_t>(static_cast<const char*>(end) - names));
}

}  // namespace quillo
