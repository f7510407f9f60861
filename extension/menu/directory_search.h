// One level of a directory walk: every result of a search of base + "*.*", in the order the file
// system returns them, with the search closed however the walk ends. Shared by the size scans
// and the tool tip's counts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "menu/core/scan_path.h"
#include "win_handle.h"

namespace quillo {

// Calls each(found) for every result until it returns false. base ends with "\\"; a pattern
// that does not fit or a directory that cannot be searched gives no results.
template <typename Each>
void SearchDirectory(const char* base, Each&& each) {
  char pattern[kScanPathSize];
  if (!JoinScanPath(pattern, sizeof pattern, base, "*.*")) return;
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA(pattern, &found));
  if (!search) return;
  do {
    if (!each(static_cast<const WIN32_FIND_DATAA&>(found))) return;
  } while (FindNextFileA(search.get(), &found));
}

inline bool IsDirectory(const WIN32_FIND_DATAA& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline std::uint64_t FoundSize(const WIN32_FIND_DATAA& found) {
  return (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
}

// A result that is a sub-directory to descend into (not "." or "..").
inline bool IsSubDirectory(const WIN32_FIND_DATAA& found) {
  return IsDirectory(found) && !IsDotEntry(found.cFileName);
}

}  // namespace quillo
