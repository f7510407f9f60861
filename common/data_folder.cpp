#include "data_folder.h"

#include <windows.h>
#include <lmcons.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "win_handle.h"

namespace quillo {
namespace {

// The user's application-data folder, or "" when unavailable.
void AppDataPath(char (&out)[MAX_PATH]) {
  out[0] = '\0';
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)) || list == nullptr) return;
  if (!SHGetPathFromIDListA(list, out)) out[0] = '\0';
  CoTaskMemFree(list);
}

bool Fits(int written, std::size_t size) {
  return written >= 0 && static_cast<std::size_t>(written) < size;
}

}  // namespace

bool DataFolderForRecord(const SetupInfoRecord& record, const char* productName, char* out,
                         std::size_t outSize) {
  char userName[UNLEN + 1] = "";
  DWORD userLength = sizeof userName;
  if (!GetUserNameA(userName, &userLength)) userName[0] = '\0';
  char appData[MAX_PATH];
  AppDataPath(appData);
  return ComposeDataFolder(record, userName, appData, productName, out, outSize);
}

void SeedDataFolder(const char* installFolder, const char* dataFolder) {
  char pattern[kPathSize];
  if (!Fits(std::snprintf(pattern, sizeof pattern, "%s\\Init\\*.*", installFolder), sizeof pattern)) {
    return;
  }
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA(pattern, &found));
  if (!search) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char source[kPathSize], target[kPathSize];
    if (!Fits(std::snprintf(source, sizeof source, "%s\\Init\\%s", installFolder, found.cFileName),
              sizeof source) ||
        !Fits(std::snprintf(target, sizeof target, "%s\\%s", dataFolder, found.cFileName),
              sizeof target)) {
      continue;
    }
    CopyFileA(source, target, TRUE);  // never replaces; a failure leaves that file out
  } while (FindNextFileA(search.get(), &found));
}

bool ResolveFolders(const char* productName, RegistryView view, ProgramFolders& folders) {
  SetupInfoRecord record;
  if (ReadSetupInfo(productName, record, view) != sizeof record) return false;
  ProgramFolders resolved{};
  CopyBoundedText(resolved.installFolder, sizeof resolved.installFolder, record.installFolder,
                  sizeof record.installFolder);
  if (!DataFolderForRecord(record, productName, resolved.dataFolder, sizeof resolved.dataFolder)) {
    return false;
  }
  folders = resolved;
  SeedDataFolder(folders.installFolder, folders.dataFolder);
  return true;
}

}  // namespace quillo
