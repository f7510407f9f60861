#include "older_version_removal.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>

#include "ascii_text.h"
#include "desktop_user.h"
#include "setup_info.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

bool UninstallKeyPath(char (&out)[MAX_PATH]) {
  return FormatPath(out, sizeof out, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s",
                    Setup().variables.Text("#REMAPP#"));
}

bool TemporaryUninstallerRunning() {
  FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (EqualIgnoringCase(entry.szExeFile, "_LWUItmp.exe")) return true;
  }
  return false;
}

std::optional<std::string> DefinedText(const char* name) {
  const VariableTable& v = Setup().variables;
  if (!v.IsDefined(name)) return std::nullopt;
  return std::string(v.Text(name));
}

}  // namespace

OlderVersionDecision DetectOlderVersion() {
  VariableTable& v = Setup().variables;
  // The script's values, read at the first call: #UPGMSG1# is replaced by its message text
  // below, and a later Next must not read that text as a version again.
  static const OlderVersionFacts facts{DefinedText("#UPGMSG1#"), DefinedText("#REMOVE#")};
  if (!v.IsDefined("#REMAPP#")) {
    char program[kVariableValueSize];
    std::snprintf(program, sizeof program, "%s", v.Text("#PROGRAM#"));
    v.Set("#REMAPP#", program);
  }
  InstalledProduct installed{};
  char keyPath[MAX_PATH];
  RegKey key;
  installed.uninstallKeyPresent =
      UninstallKeyPath(keyPath) &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
  SetupInfoRecord record;
  installed.recordPresent =
      ReadSetupInfo(v.Text("#REMAPP#"), record, RegistryView::kDefault) == sizeof record;
  installed.versionMajor = record.versionMajor;
  installed.versionMinor = record.versionMinor;
  const OlderVersionDecision decision = DecideOlderVersion(facts, installed);
  if (decision.upgradeText) v.Set("#UPGMSG1#", decision.upgradeText->c_str());
  return decision;
}

int RemoveOlderVersion() {
  char keyPath[MAX_PATH], command[MAX_PATH + 1] = "";
  RegKey key;
  DWORD size = MAX_PATH;
  if (!UninstallKeyPath(keyPath) ||
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, key.receive()) != ERROR_SUCCESS ||
      RegQueryValueExA(key.get(), "UninstallString", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(command), &size) != ERROR_SUCCESS) {
    return -1;
  }
  command[size < MAX_PATH ? size : MAX_PATH] = '\0';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &info)) {
    return -2;
  }
  const FileHandle process(info.hProcess), thread(info.hThread);
  WaitPumpingMessages(process.get(), 200);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  // The uninstaller restarts itself as a temporary copy: wait for that one too.
  while (TemporaryUninstallerRunning()) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(200);
  }
  return static_cast<int>(exitCode);
}

}  // namespace quillo::setup
