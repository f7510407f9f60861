#include "init_seeding.h"

#include <windows.h>

#include <cstdio>

#include "win_handle.h"

namespace lwf {
namespace {

bool Compose(char (&out)[MAX_PATH], const char* folder, const char* name) {
  const int written = std::snprintf(out, sizeof out, "%s\\%s", folder, name);
  return written > 0 && static_cast<std::size_t>(written) < sizeof out;
}

void CopyTree(const char* source, const char* target, int depth) {
  char pattern[MAX_PATH];
  if (depth > 32 || !Compose(pattern, source, "*.*")) return;
  WIN32_FIND_DATAA found;
  quillo::FindHandle search(FindFirstFileA(pattern, &found));
  if (!search) return;
  do {
    const char* name = found.cFileName;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    char from[MAX_PATH], to[MAX_PATH];
    if (!Compose(from, source, name) || !Compose(to, target, name)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from, to, depth + 1);
    } else {
      CopyFileA(from, to, TRUE);  // never replaces; a missing target folder leaves the file out
    }
  } while (FindNextFileA(search.get(), &found));
}

}  // namespace

void SeedDataFolderTree(const char* installFolder, const char* dataFolder) {
  char init[MAX_PATH];
  if (installFolder[0] == '\0' || !Compose(init, installFolder, "Init")) return;
  CopyTree(init, dataFolder, 0);
}

}  // namespace lwf
