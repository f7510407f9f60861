#include "folder_access_check.h"

#include <windows.h>

#include "desktop_user.h"
#include "payload_file.h"
#include "setup_state.h"

namespace quillo::setup {

FolderAccess CheckFolderAccess(const char* folder) {
  char installPath[kVariableValueSize];
  ExpandInto("#INSTALLPATH#", installPath);
  TrimTrailingBackslashes(installPath);
  char checker[MAX_PATH];
  if (!FormatPath(checker, sizeof checker, "%s\\CheckFolderAccess.exe", installPath) ||
      CopySetupFile("CheckFolderAccess.exe", checker) != 0) {
    return kFolderCheckUnavailable;
  }
  DWORD exitCode = 1;
  const bool ran = RunAsDesktopUser(checker, folder, &exitCode) == 0;
  DeleteFileA(checker);
  return ran && exitCode == 0 ? kFolderWritable : kFolderNotWritable;
}

}  // namespace quillo::setup
