// The first page of both wizards (104, 114): the product description or the data folder to
// keep, the older-version check and the administrator check.
#include <shlobj.h>
#include <windows.h>

#include "data_folder.h"
#include "desktop_user.h"
#include "older_version_removal.h"
#include "setup_message.h"
#include "setup_state.h"
#include "wizard.h"
#include "wizard_pages.h"
#include "wizard_rules.h"

namespace quillo::setup {
namespace {

constexpr int kDescriptionText = 1007, kKeepDataCheck = 1044, kDataFolderText = 1010;

// Hides the frame while the older version's uninstaller runs; the page stays.
void RemoveOlderVersionBehindFrame() {
  HWND frame = Wizard().frame;
  ShowWindow(frame, SW_HIDE);
  RemoveOlderVersion();
  ShowWindow(frame, SW_SHOW);
  SetForegroundWindow(frame);
}

// Steps 1 to 3 of Next: false when the page stays (or Setup quits).
bool OlderVersionAllowsNext(HWND page) {
  const OlderVersionDecision older = DetectOlderVersion();
  const bool setupMode = Setup().mode == SetupMode::kSetup;
  if (setupMode && older.showUpgradeMessage &&
      ShowSetupMessage(page, "#UPGMSG1#", MB_OKCANCEL | MB_ICONINFORMATION) == IDCANCEL) {
    QuitSetup();
    return false;
  }
  if (!older.mustRemove) return true;
  if (!setupMode) {
    RemoveOlderVersionBehindFrame();
    return false;
  }
  switch (ShowStringMessage(page, 1007, MB_YESNOCANCEL | MB_ICONHAND)) {
    case IDYES:
      RemoveOlderVersionBehindFrame();
      return false;
    case IDNO:
      return true;
    default:
      return false;
  }
}

bool IsAdministrator() {
  using IsUserAnAdminFn = BOOL(WINAPI*)();
  HMODULE shell = GetModuleHandleA("shell32.dll");
  auto isAdmin = reinterpret_cast<IsUserAnAdminFn>(
      shell ? reinterpret_cast<void*>(GetProcAddress(shell, "IsUserAnAdmin")) : nullptr);
  return isAdmin == nullptr || isAdmin();
}

void Next(HWND page) {
  if (!OlderVersionAllowsNext(page)) return;
  if (!IsAdministrator()) {
    ShowStringMessage(page, 1009, MB_ICONHAND);
    QuitSetup();
    return;
  }
  if (IsDlgButtonChecked(page, kKeepDataCheck) == BST_CHECKED)
    Setup().variables.Set("#KEEPCFG#", "1");
  ShowPage(page, Setup().mode == SetupMode::kSetup ? kLicensePage : kUninstallProgressPage);
}

}  // namespace

void WelcomePageInit(HWND page) {
  SetupState& state = Setup();
  if (state.mode == SetupMode::kSetup) {
    const std::string description = WithControlLineBreaks(state.variables.Text("#DESCR#"), true);
    SetDlgItemTextA(page, kDescriptionText, description.c_str());
    return;
  }
  SetupInfoRecord record;
  if (ReadSetupInfo(state.variables.Text("#PROGRAM#"), record, RegistryView::kDefault) !=
      sizeof record) {
    return;
  }
  char dataFolder[kPathSize] = "";
  const DesktopUserScope asDesktopUser(true);
  if (DataFolderForRecord(record, state.variables.Text("#PROGRAM#"), dataFolder,
                          sizeof dataFolder)) {
    SetDlgItemTextA(page, kDataFolderText, dataFolder);
  }
}

void WelcomePageCommand(HWND page, int control) {
  switch (control) {
    case kNextButton:
      Next(page);
      break;
    case kCancelButton:
      QuitSetup();
      break;
    case kKeepDataCheck:
      if (IsDlgButtonChecked(page, kKeepDataCheck) == BST_CHECKED) {
        ShowStringMessage(page, 1037, MB_ICONEXCLAMATION);
      }
      break;
    default:
      break;
  }
}

}  // namespace quillo::setup
