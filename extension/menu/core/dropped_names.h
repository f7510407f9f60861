// DroppedNames: the full paths of the dragged objects, each NUL-terminated and the list closed
// by an extra NUL (the source list of a shell file operation), in a buffer of one slot of
// kDroppedNameSlot characters per name plus the closing NUL. The names are UTF-16: the file
// operation must get each object's real name, never a code page's "?" (a wildcard there).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillo {

constexpr std::size_t kDroppedNameSlot = 260;

// A full path: a drive with its root ("X:\...") or a share ("\\server\..."). A relative name
// would be taken from wherever the current folder is.
bool IsFullPath(std::wstring_view path);

// Characters of the buffer for count names; 0 when that size cannot be represented.
std::size_t DroppedNamesSize(std::uint32_t count);

// Writes names one after another into a caller's buffer, which always holds a complete list.
class DroppedNamesWriter {
 public:
  // An empty buffer (size 0) takes no name.
  DroppedNamesWriter(wchar_t* buffer, std::size_t size);

  // False, leaving the list as it was, for a name that is not a full path, one that would not
  // fit a slot whole (a cut path names another object) or a full buffer.
  bool Append(std::wstring_view name);

 private:
  wchar_t* buffer_;
  std::size_t size_;
  std::size_t used_ = 0;  // characters of the names written, their NULs included
};

// The first name of a list of `size` characters (at most a slot's worth); empty when the list
// is empty or its first name is not terminated inside the buffer or the slot.
std::wstring_view FirstDroppedName(const wchar_t* names, std::size_t size);

}  // namespace quillo
