// Paths of the directory walks (size scans, tool-tip counts): 1040-byte buffers, and a path
// that does not fit ends that branch of the walk instead of being cut into another path (a
// cycle of directory junctions grows the path until it no longer fits).
#pragma once

#include <cstddef>

namespace quillo {

constexpr std::size_t kScanPathSize = 1040;

// True when the path ends with "\\".
bool EndsWithSeparator(const char* path);

// out = base + name; false (out empty) when that does not fit in size bytes.
bool JoinScanPath(char* out, std::size_t size, const char* base, const char* name);

// out = path with a "\\" appended unless it ends with one; false when it does not fit.
bool DirectoryBase(char* out, std::size_t size, const char* path);

// A drive path ("C:\\...") or a network path ("\\\\server\\..."). A virtual item's name is
// neither and must not be searched relative to the current directory.
bool IsAbsolutePath(const char* path);

// "." and "..", which every directory search returns.
bool IsDotEntry(const char* name);

}  // namespace quillo
