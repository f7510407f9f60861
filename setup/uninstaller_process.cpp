#include "uninstaller_process.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "ascii_text.h"
#include "payload_file.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

constexpr const char* kTemporaryName = "_LWUItmp.exe";
constexpr int kSelfDeletionResource = 116;

bool TemporaryFolder(char (&out)[MAX_PATH]) {
  const DWORD length = GetTempPathA(sizeof out, out);
  if (length == 0 || length >= sizeof out) return false;
  TrimTrailingBackslashes(out);
  return true;
}

std::string SelfDeletionBatch(const char* programPath) {
  HRSRC found = FindResourceA(Setup().instance, MAKEINTRESOURCEA(kSelfDeletionResource), "TEXT");
  HGLOBAL loaded = found ? LoadResource(Setup().instance, found) : nullptr;
  if (loaded == nullptr) return std::string();
  std::string text(static_cast<const char*>(LockResource(loaded)),
                   SizeofResource(Setup().instance, found));
  const std::string marker = "#MODULEFN#";
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + std::strlen(programPath))) {
    text.replace(at, marker.size(), programPath);
  }
  return text;
}

}  // namespace

bool IsTemporaryUninstaller(const char* programPath) {
  const std::size_t length = std::strlen(programPath), suffix = std::strlen(kTemporaryName);
  return length >= suffix && EqualIgnoringCase(programPath + length - suffix, kTemporaryName);
}

bool StartTemporaryUninstaller() {
  char temp[MAX_PATH], copy[MAX_PATH];
  if (!TemporaryFolder(temp) || !FormatPath(copy, sizeof copy, "%s\\%s", temp, kTemporaryName)) {
    return false;
  }
  // A copy that cannot be made (an older one still running, another program's file) is not
  // started: it may be any program.
  if (!CopyFileA(Setup().programPath, copy, FALSE)) return false;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, nullptr, copy, nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool StartBatchFile(const char* batch, const char* folder) {
  char commandLine[MAX_PATH + 2];
  // Quoted: the temporary folder may hold blanks.
  if (!FormatPath(commandLine, sizeof commandLine, "\"%s\"", batch)) return false;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED | IDLE_PRIORITY_CLASS,
                      nullptr, folder, &startup, &info)) {
    return false;
  }
  const FileHandle process(info.hProcess), thread(info.hThread);
  SetThreadPriority(thread.get(), THREAD_PRIORITY_IDLE);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
  ResumeThread(thread.get());
  return true;
}

bool StartSelfDeletion() {
  char temp[MAX_PATH], batch[MAX_PATH];
  if (!TemporaryFolder(temp) ||
      !FormatPath(batch, sizeof batch, "%s\\%s", temp, "LWAutoDel.bat")) {
    return false;
  }
  const std::string text = SelfDeletionBatch(Setup().programPath);
  if (text.empty() ||
      WriteWholeFile(batch, reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) != 0) {
    return false;
  }
  return StartBatchFile(batch, temp);
}

}  // namespace quillo::setup
