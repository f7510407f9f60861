// One level of a directory walk: every result of a search of base + "*.*", in the order the file
// system returns them, with the search closed however the walk ends. Shared by the size scans
// and the tool tip's counts; paths and names are the real (UTF-16) ones.
#pragma once

#include <windows.h>

#include <cstdint>

#include "menu/core/scan_path.h"
#include "win_handle.h"

namespace quillo {

// Calls each(found) for every result until it returns false. base ends with "\\"; a pattern
// that does not fit or a directory that cannot be searched gives no results.
template <typename Each>
void SearchDirectory(const wchar_t* base, Each&& each) {
  wchar_t pattern[kScanPathSize];
  if (!JoinScanPath(pattern, kScanPathSize, base, L"*.*")) return;
  WIN32_FIND_DATAW found;
  FindHandle search(FindFirstFileW(pattern, &found));
  if (!search) return;
  do {
    if (!each(static_cast<const WIN32_FIND_DATAW&>(found))) return;
  } while (FindNextFileW(search.get(), &found));
}

inline bool IsDirectory(const WIN32_FIND_DATAW& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline std::uint64_t FoundSize(const WIN32_FIND_DATAW& found) {
  return (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
}

// A result that is a sub-directory to descend into (not "." or "..").
inline bool IsSubDirectory(const WIN32_FIND_DATAW& found) {
  return IsDirectory(found) && !IsDotEntry(found.cFileName);
}

}  // namespace quillo
