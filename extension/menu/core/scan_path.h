// Paths of the directory walks (size scans, tool-tip counts): the real (UTF-16) paths, so that
// folders whose names no code page holds are walked too, in 1040-character buffers; a path that
// does not fit ends that branch of the walk instead of being cut into another path (a cycle of
// directory junctions grows the path until it no longer fits).
#pragma once

#include <cstddef>

namespace quillo {

constexpr std::size_t kScanPathSize = 1040;

// True when the path ends with "\\".
bool EndsWithSeparator(const wchar_t* path);

// out = base + name; false (out empty) when that does not fit in size characters.
bool JoinScanPath(wchar_t* out, std::size_t size, const wchar_t* base, const wchar_t* name);

// out = path with a "\\" appended unless it ends with one; false when it does not fit.
bool DirectoryBase(wchar_t* out, std::size_t size, const wchar_t* path);

// A drive path ("C:\\...") or a network path ("\\\\server\\..."). A virtual item's name is
// neither and must not be searched relative to the current directory.
bool IsAbsolutePath(const wchar_t* path);

// "." and "..", which every directory search returns.
bool IsDotEntry(const wchar_t* name);

}  // namespace quillo
