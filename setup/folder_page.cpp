// The installation directory page (109): install folder, for whom, and where the settings live.
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "builtin_variables.h"
#include "directory_path.h"
#include "folder_access_check.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_state.h"
#include "wizard.h"
#include "wizard_pages.h"
#include "wizard_rules.h"

namespace quillo::setup {
namespace {

enum Control {
  kInstallFolderEdit = 1014,
  kInstallBrowse = 4,
  kCurrentUserRadio = 1040,
  kAllUsersRadio = 1038,
  kDefaultDataRadio = 1046,
  kCustomDataRadio = 1048,
  kCustomDataEdit = 1020,
  kCustomBrowse = 6,
  kIndividualRadio = 1050,
  kSharedRadio = 1051,
};

constexpr UINT kPageMessage = MB_ICONHAND;

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

void EnableCustomControls(HWND page) {
  const BOOL custom = Checked(page, kCustomDataRadio);
  for (int id : {kCustomDataEdit, kCustomBrowse, kIndividualRadio, kSharedRadio}) {
    EnableWindow(GetDlgItem(page, id), custom);
  }
}

// The variable's text, or message 1001 when the script did not define it.
const char* RequiredText(HWND page, const char* name) {
  const VariableTable& variables = Setup().variables;
  if (!variables.IsDefined(name)) ShowCodeMessage(page, kStartupFailed);
  return variables.Text(name);
}

int CALLBACK PreselectFolder(HWND browser, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

// Lets the user pick a folder for the edit control; `suffix` (expanded) is appended.
void BrowseInto(HWND page, int editId, const char* title, const char* suffix) {
  char current[MAX_PATH];
  FolderOfControl(page, editId, current);
  BROWSEINFOA info{};
  info.hwndOwner = page;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = PreselectFolder;
  info.lParam = reinterpret_cast<LPARAM>(current);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (chosen == nullptr) return;
  char folder[MAX_PATH];
  const bool resolved = SHGetPathFromIDListA(chosen, folder);
  CoTaskMemFree(chosen);
  if (!resolved) return;
  char text[kVariableValueSize];
  if (suffix) {
    TrimTrailingBackslashes(folder);
    char expandedSuffix[kVariableValueSize];
    ExpandInto(suffix, expandedSuffix);
    std::snprintf(text, sizeof text, "%s\\%s", folder, expandedSuffix);
  } else {
    std::snprintf(text, sizeof text, "%s", folder);
  }
  SetDlgItemTextA(page, editId, text);
}

// A folder typed into the page must be absolute; else message 1039 and the text is selected.
bool AbsoluteFolderOf(HWND page, int editId, char (&folder)[MAX_PATH]) {
  FolderOfControl(page, editId, folder);
  if (IsAbsoluteFolderPath(folder)) return true;
  ShowStringMessage(page, 1039, kPageMessage);
  SendDlgItemMessageA(page, editId, EM_SETSEL, 0, -1);
  SetFocus(GetDlgItem(page, editId));
  return false;
}

// Free bytes on the folder's drive. The folder need not exist yet: its nearest existing parent
// (at last the drive root) is asked.
bool FreeBytesFor(const char* folder, ULARGE_INTEGER& free) {
  using GetDiskFreeSpaceExFn =
      BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  auto freeSpaceEx = reinterpret_cast<GetDiskFreeSpaceExFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "GetDiskFreeSpaceExA")));
  if (freeSpaceEx == nullptr) {
    char root[4] = "";
    std::snprintf(root, sizeof root, "%.3s", folder);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectors, &bytes, &freeClusters, &clusters)) return false;
    free.QuadPart = static_cast<ULONGLONG>(sectors) * bytes * freeClusters;
    return true;
  }
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s\\", folder);
  for (;;) {
    if (freeSpaceEx(path, &free, nullptr, nullptr)) return true;
    path[std::strlen(path) - 1] = '\0';  // the trailing backslash
    char* cut = std::strrchr(path, '\\');
    if (cut == nullptr) return false;
    cut[1] = '\0';
  }
}

bool EnoughSpace(HWND page, const char* folder) {
  ULARGE_INTEGER free{};
  // A drive that cannot be measured is not refused: the copy itself will tell.
  if (!FreeBytesFor(folder, free) || HasEnoughFreeSpace(free.QuadPart, Wizard().minFreeMb)) {
    return true;
  }
  ShowStringMessage(page, 1003, kPageMessage);
  return false;
}

// Step 5 of Install: the custom data folder, created and checked for the user's access.
bool AcceptCustomDataFolder(HWND page) {
  char folder[MAX_PATH];
  if (!AbsoluteFolderOf(page, kCustomDataEdit, folder)) return false;
  if (EnsureDirectoryPath(folder) != kDirectoryReady) {
    ShowStringMessage(page, 1033, kPageMessage);
    return false;
  }
  switch (CheckFolderAccess(folder)) {
    case kFolderCheckUnavailable:
      ShowCodeMessage(page, kStartupFailed);
      QuitSetup();
      return false;
    case kFolderNotWritable:
      if (ShowStringMessage(page, 1004, MB_YESNOCANCEL | kPageMessage) != IDYES) return false;
      break;
    case kFolderWritable:
      break;
  }
  VariableTable& variables = Setup().variables;
  variables.Set("#CUSTOMPATH#", folder);
  variables.Set("#INDIVIDUAL#", Checked(page, kIndividualRadio) ? "1" : "0");
  return true;
}

void Install(HWND page) {
  char folder[MAX_PATH];
  if (!AbsoluteFolderOf(page, kInstallFolderEdit, folder) || !EnoughSpace(page, folder)) return;
  if (EnsureDirectoryPath(folder) != kDirectoryReady) {
    ShowStringMessage(page, 1005, kPageMessage);
    return;
  }
  VariableTable& variables = Setup().variables;
  const bool allUsers = Checked(page, kAllUsersRadio);
  const bool custom = Checked(page, kCustomDataRadio);
  variables.Set("#INSTALLPATH#", folder);
  variables.Set("#FORWHO#", allUsers ? "1" : "0");
  variables.Set("#CUSTOMLOC#", custom ? "1" : "0");
  if (custom && !AcceptCustomDataFolder(page)) return;
  if (allUsers) {
    UseAllUsersFolders();
  } else {
    UseCurrentUserFolders();
  }
  ShowPage(page, kProgressPage);
}

}  // namespace

void FolderPageInit(HWND page) {
  const VariableTable& variables = Setup().variables;
  SetDlgItemTextA(page, kInstallFolderEdit, RequiredText(page, "#INSTALLPATH#"));
  SetDlgItemTextA(page, kCustomDataEdit, RequiredText(page, "#CUSTOMPATH#"));
  RequiredText(page, "#MINFREE#");
  Wizard().minFreeMb = variables.IsDefined("#MINFREE#") ? variables.Number("#MINFREE#") : 0;
  CheckRadioButton(page, kAllUsersRadio, kCurrentUserRadio,  // ids 1038 to 1040
                   variables.Number("#FORWHO#") == 1 ? kAllUsersRadio : kCurrentUserRadio);
  CheckRadioButton(page, kDefaultDataRadio, kCustomDataRadio,
                   variables.Number("#CUSTOMLOC#") == 1 ? kCustomDataRadio : kDefaultDataRadio);
  CheckRadioButton(page, kIndividualRadio, kSharedRadio,
                   variables.Number("#INDIVIDUAL#") == 0 ? kSharedRadio : kIndividualRadio);
  EnableCustomControls(page);
}

void FolderPageCommand(HWND page, int control) {
  switch (control) {
    case kNextButton:
      Install(page);
      break;
    case kCancelButton:
      AskToQuit(page);
      break;
    case kBackButton:
      ShowPage(page, kLicensePage);
      break;
    case kInstallBrowse:
      BrowseInto(page, kInstallFolderEdit, "Select Installation Folder", "#PROGRAM#");
      break;
    case kCustomBrowse:
      BrowseInto(page, kCustomDataEdit, "Select Configuration Data Folder", nullptr);
      break;
    case kDefaultDataRadio:
    case kCustomDataRadio:
      EnableCustomControls(page);
      break;
    default:
      break;
  }
}

}  // namespace quillo::setup
