#include "dropped_names.h"

#include <cwchar>

namespace quillo {

bool IsFullPath(std::wstring_view path) {
  if (path.size() < 3) return false;
  const wchar_t drive = path[0];
  if (((drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z')) && path[1] == L':') {
    return path[2] == L'\\';
  }
  return path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
}

std::size_t DroppedNamesSize(std::uint32_t count) {
  if (count > (SIZE_MAX / sizeof(wchar_t) - 1) / kDroppedNameSlot) return 0;
  return static_cast<std::size_t>(count) * kDroppedNameSlot + 1;
}

DroppedNamesWriter::DroppedNamesWriter(wchar_t* buffer, std::size_t size)
    : buffer_(buffer), size_(buffer != nullptr ? size : 0) {
  if (size_ > 0) buffer_[0] = L'\0';
}

bool DroppedNamesWriter::Append(std::wstring_view name) {
  if (!IsFullPath(name) || name.size() >= kDroppedNameSlot ||
      name.find(L'\0') != std::wstring_view::npos) {
    return false;
  }
  // The name, its NUL and the list's closing NUL.
  if (size_ < 2 || used_ > size_ - 2 || name.size() > size_ - 2 - used_) return false;
  std::wmemcpy(buffer_ + used_, name.data(), name.size());
  used_ += name.size();
  buffer_[used_++] = L'\0';
  buffer_[used_] = L'\0';
  return true;
}

std::wstring_view FirstDroppedName(const wchar_t* names, std::size_t size) {
  if (names == nullptr) return {};
  const std::size_t limit = size < kDroppedNameSlot ? size : kDroppedNameSlot;
  const wchar_t* end = std::wmemchr(names, L'\0', limit);
  if (end == nullptr) return {};
  return std::wstring_view(names, static_cast<std::size_t>(end - names));
}

}  // namespace quillo
