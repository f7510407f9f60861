// Creating a directory path level by level.
#pragma once

namespace quillo {

enum EnsureDirectoryResult { kDirectoryReady = 0, kDirectoryFailed = 1, kDirectoryEmptyPath = 2 };

// Creates every missing level of path. 0 when the path exists afterwards (or already did),
// 1 on failure, 2 for an empty path. The caller's text is not changed.
int EnsureDirectoryPath(const char* path);

}  // namespace quillo
