#include "builtin_variables.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "data_folder.h"
#include "desktop_user.h"
#include "setup_info.h"
#include "setup_message.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

struct FolderVariable {
  const char* name;
  int csidl;
};

const FolderVariable kFolderVariables[] = {
    {"#STARTUPDIRUSR#", CSIDL_STARTUP},
    {"#STARTUPDIR#", CSIDL_STARTUP},
    {"#STARTUPDIRALL#", CSIDL_COMMON_STARTUP},
    {"#STARTMENUUSR#", CSIDL_PROGRAMS},
    {"#STARTMENU#", CSIDL_PROGRAMS},
    {"#STARTMENUALL#", CSIDL_COMMON_PROGRAMS},
    {"#DESKTOPDIRUSR#", CSIDL_DESKTOPDIRECTORY},
    {"#DESKTOPDIR#", CSIDL_DESKTOPDIRECTORY},
    {"#DESKTOPDIRALL#", CSIDL_COMMON_DESKTOPDIRECTORY},
};

// A special folder without trailing backslashes, or "" when it cannot be resolved.
void SpecialFolder(int csidl, char (&out)[MAX_PATH]) {
  out[0] = '\0';
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || list == nullptr) return;
  if (!SHGetPathFromIDListA(list, out)) out[0] = '\0';
  CoTaskMemFree(list);
  TrimTrailingBackslashes(out);
}

void SetNumber(const char* name, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  Setup().variables.Set(name, text);
}

void CopyVariable(const char* to, const char* from) {
  char value[kVariableValueSize];
  std::snprintf(value, sizeof value, "%s", Setup().variables.Text(from));
  Setup().variables.Set(to, value);
}

// Program Files (or the registry's ProgramFilesDir), then "\" and the product name.
void DefaultInstallPath(char (&out)[MAX_PATH]) {
  char programFiles[MAX_PATH];
  SpecialFolder(CSIDL_PROGRAM_FILES, programFiles);
  if (programFiles[0] == '\0') {
    RegKey key;
    DWORD size = sizeof programFiles - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_READ, key.receive()) == ERROR_SUCCESS &&
        RegQueryValueExA(key.get(), "ProgramFilesDir", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(programFiles), &size) == ERROR_SUCCESS) {
      programFiles[size] = '\0';
    } else {
      programFiles[0] = '\0';
    }
  }
  const std::size_t length = std::strlen(programFiles);
  const bool slash = length > 0 && programFiles[length - 1] == '\\';
  FormatPath(out, sizeof out, "%s%s%s", programFiles, slash ? "" : "\\",
             Setup().variables.Text("#PROGRAM#"));
}

}  // namespace

void DefineBuiltinVariables() {
  SetupState& state = Setup();
  VariableTable& v = state.variables;
  v.Set("#SETUPMODE#", SetupString(state.mode == SetupMode::kSetup ? 1026 : 1027).c_str());
  v.Set("#EULA#", "");
  SetNumber("#OS#", state.windowsVersion);
  v.Set("#64#", state.is64 ? "1" : "0");
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  TrimTrailingBackslashes(folder);
  v.Set("#WINDOWSDIR#", folder);
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  TrimTrailingBackslashes(system);
  FormatPath(folder, sizeof folder, "%s\\Drivers", system);
  v.Set("#DRIVERSDIR#", folder);
  const DesktopUserScope asDesktopUser(true);
  for (const FolderVariable& row : kFolderVariables) {
    SpecialFolder(row.csidl, folder);
    v.Set(row.name, folder);
  }
}

void UseAllUsersFolders() {
  CopyVariable("#STARTUPDIR#", "#STARTUPDIRALL#");
  CopyVariable("#STARTMENU#", "#STARTMENUALL#");
  CopyVariable("#DESKTOPDIR#", "#DESKTOPDIRALL#");
}

void UseCurrentUserFolders() {
  CopyVariable("#STARTUPDIR#", "#STARTUPDIRUSR#");
  CopyVariable("#STARTMENU#", "#STARTMENUUSR#");
  CopyVariable("#DESKTOPDIR#", "#DESKTOPDIRUSR#");
}

void DefineDerivedVariables() {
  SetupState& state = Setup();
  VariableTable& v = state.variables;
  SetupInfoRecord record;
  const bool hasRecord =
      ReadSetupInfo(v.Text("#PROGRAM#"), record, RegistryView::kDefault) == sizeof record;
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d", hasRecord ? record.versionMajor : 0,
                hasRecord ? record.versionMinor : 0);
  v.Set("#CURVER#", text);

  if (!v.IsDefined("#INSTALLPATH#")) {
    char installPath[MAX_PATH], customPath[MAX_PATH], dataFolder[kPathSize] = "";
    int choices[3] = {1, 1, 1};
    if (hasRecord) {
      SetNumber("#FORWHO#", record.installScope);
      SetNumber("#CUSTOMLOC#", record.customDataFolder);
      SetNumber("#INDIVIDUAL#", record.perUserDataFolder);
      if (record.installScope == 1) UseAllUsersFolders();
      CopyBoundedText(installPath, sizeof installPath, record.installFolder,
                      sizeof record.installFolder);
      CopyBoundedText(customPath, sizeof customPath, record.customDataPath,
                      sizeof record.customDataPath);
      for (int i = 0; i < 3; ++i) choices[i] = record.finishChoices[i];
      const DesktopUserScope asDesktopUser(true);
      DataFolderForRecord(record, v.Text("#PROGRAM#"), dataFolder, sizeof dataFolder);
    } else {
      DefaultInstallPath(installPath);
      FormatPath(customPath, sizeof customPath, "%s\\Data", installPath);
    }
    v.Set("#INSTALLPATH#", installPath);
    v.Set("#CUSTOMPATH#", customPath);
    v.Set("#CONFIGPATH#", dataFolder);
    SetNumber("#SELEXECUTE#", choices[0]);
    SetNumber("#SELREADME#", choices[1]);
    SetNumber("#SELDESKTOP#", choices[2]);
  }
  if (v.IsDefined("#URLTEXT#")) std::snprintf(state.linkText, sizeof state.linkText, "%s", v.Text("#URLTEXT#"));
  if (v.IsDefined("#URLLINK#")) std::snprintf(state.linkTarget, sizeof state.linkTarget, "%s", v.Text("#URLLINK#"));
}

}  // namespace quillo::setup
