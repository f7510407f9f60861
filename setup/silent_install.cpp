#include "silent_install.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "builtin_variables.h"
#include "directory_path.h"
#include "payload_file.h"
#include "script_commands.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

std::uint64_t FolderTreeSize(const std::string& folder) {
  std::uint64_t total = 0;
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) return 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
        total += FolderTreeSize(folder + "\\" + found.cFileName);
      }
    } else {
      total += (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    }
  } while (FindNextFileA(search.get(), &found));
  return total;
}

}  // namespace

void SetInstallSize() {
  char folder[kVariableValueSize];
  ExpandInto("#INSTALLPATH#", folder);
  TrimTrailingBackslashes(folder);
  char size[24];
  std::snprintf(size, sizeof size, "%d", static_cast<int>(FolderTreeSize(folder) / 1024));
  Setup().variables.Set("#INSTALLSIZE#", size);
}

int CopyInitFiles() {
  SetupState& state = Setup();
  if (state.initFiles.empty()) return 0;
  char folder[kVariableValueSize];
  ExpandInto("#INSTALLPATH#\\Init", folder);
  EnsureDirectoryPath(folder);
  std::string to(folder);
  to.push_back('\0');
  int failed = 0;
  for (const PathText& file : state.initFiles) {
    std::string from(file.data());
    from.push_back('\0');  // double-NUL terminated list
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = 0x8694;  // silent, no confirmation, files only, no error UI
    if (SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted) ++failed;
  }
  return failed;
}

void WriteSetupLog() {
  SetupState& state = Setup();
  const char* slash = std::strrchr(state.programPath, '\\');
  const std::string name = std::string(slash ? slash + 1 : state.programPath) + ".log";
  std::string text;
  const int code = state.errorCode;
  if (code != kNoError) text = MessageTextForCode(code) + "\r\n";
  for (const std::string& note : state.notes) text += note + "\r\n";
  text += SetupString(code == kNoError ? 1030 : 1032) + "\r\n";
  WriteWholeFile(name.c_str(), reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void RunSilentInstall() {
  SetupState& state = Setup();
  VariableTable& v = state.variables;
  v.Set("#FORWHO#", "1");
  v.Set("#CUSTOMLOC#", "0");
  UseAllUsersFolders();
  int failedPhase = RunPhase(0, false) != kNoError ? 0 : (RunPhase(1, false) != kNoError ? 1 : -1);
  v.Set("#EXECUTE#", "0");
  v.Set("#README#", "0");
  // The wizard's finish page measures the installation; without it the size is measured here.
  if (failedPhase < 0) SetInstallSize();
  if (failedPhase < 0 && RunPhase(2, false) != kNoError) failedPhase = 2;
  if (failedPhase >= 1) {
    // Phase 3 cleans up after the failure; the failure stays what the log reports, even when
    // the clean-up itself succeeds.
    const int failure = state.errorCode;
    RunPhase(3, false);
    state.errorCode = failure;
  }
  if (state.errorCode == kNoError && CopyInitFiles() != 0) state.errorCode = kInitFilesNotCopied;
  WriteSetupLog();
}

}  // namespace quillo::setup
