#include "directory_path.h"

#include <windows.h>

#include <cstring>

#include "options_record.h"

namespace quillo {
namespace {

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Creates one level; when the system reports success but the directory is not yet visible
// (network redirectors), waits and tries again, giving up after the 11th round.
bool CreateLevel(const char* path) {
  for (int round = 0; round < 11; ++round) {
    if (!CreateDirectoryA(path, nullptr)) return true;  // already there or no access: go on
    if (Exists(path)) return true;
    Sleep(100);
  }
  return false;
}

}  // namespace

int EnsureDirectoryPath(const char* path) {
  if (path == nullptr || path[0] == '\0') return kDirectoryEmptyPath;
  if (Exists(path)) return kDirectoryReady;
  char work[kPathSize];
  const std::size_t length = strnlen(path, sizeof work);
  if (length >= sizeof work) return kDirectoryFailed;
  std::memcpy(work, path, length + 1);

  // Cut at the last backslash until the remaining prefix exists or no backslash is left.
  std::size_t cuts[kPathSize];
  std::size_t cutCount = 0;
  for (;;) {
    char* last = std::strrchr(work, '\\');
    if (last == nullptr) break;
    *last = '\0';
    cuts[cutCount++] = static_cast<std::size_t>(last - work);
    if (work[0] != '\0' && Exists(work)) break;
  }
  // Going forward again: restore each cut and create that level. When no backslash was left,
  // the first remaining level has to be created too.
  if (cutCount == 0 || !Exists(work)) {
    if (work[0] != '\0' && !CreateLevel(work)) return kDirectoryFailed;
  }
  while (cutCount > 0) {
    work[cuts[--cutCount]] = '\\';
    if (!CreateLevel(work)) return kDirectoryFailed;
  }
  return Exists(work) ? kDirectoryReady : kDirectoryFailed;
}

}  // namespace quillo
