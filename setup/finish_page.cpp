// The last page of both wizards (111, 117): the finish-page choices and phase 2, or what an
// uninstall left behind.
#include <windows.h>

#include <cstdio>

#include "hyperlink_window.h"
#include "registry_commands.h"
#include "script_commands.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_info.h"
#include "setup_state.h"
#include "silent_install.h"
#include "wizard.h"
#include "wizard_pages.h"

namespace quillo::setup {
namespace {

struct FinishChoice {
  int checkBox;
  const char* offered;   // the script offers the choice when this is defined
  const char* selected;  // the stored choice
};

// In the order of the record's finish choices: start program, show manual, desktop shortcut.
const FinishChoice kChoices[] = {
    {1023, "#EXECUTE#", "#SELEXECUTE#"},
    {1025, "#README#", "#SELREADME#"},
    {1028, "#DESKTOP#", "#SELDESKTOP#"},
};

constexpr int kStartProgramCheck = 1023;
constexpr int kLeftText = 1008, kPleaseCheckText = 1010, kFolderText = 1036, kKeepFilesText = 1012;

// The three choices into their variables and into the product's setup information.
void StoreChoices(HWND page) {
  SetupState& state = Setup();
  SetupInfoRecord record;
  const char* product = state.variables.Text("#PROGRAM#");
  const bool hasRecord = ReadSetupInfo(product, record, RegistryView::kDefault) == sizeof record;
  for (int i = 0; i < 3; ++i) {
    const bool checked = IsDlgButtonChecked(page, kChoices[i].checkBox) == BST_CHECKED;
    state.variables.Set(kChoices[i].offered, checked ? "1" : "0");
    record.finishChoices[i] = checked ? 1 : 0;
  }
  if (hasRecord) WriteSetupInfoRecord(product, record);
}

}  // namespace

void FinishPageInit(HWND page) {
  const SetupState& state = Setup();
  for (const FinishChoice& choice : kChoices) {
    HWND box = GetDlgItem(page, choice.checkBox);
    const bool hidden = !state.variables.IsDefined(choice.offered) ||
                        (choice.checkBox == kStartProgramCheck && state.reboot);
    if (hidden) {
      ShowWindow(box, SW_HIDE);
    } else {
      CheckDlgButton(page, choice.checkBox,
                     state.variables.Number(choice.selected) == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

void FinishPageCommand(HWND page, int control) {
  if (control != kNextButton) return;
  StoreChoices(page);
  SetInstallSize();
  const int code = RunPhase(2, false);
  if (code != kNoError) {
    // Phase 2 has no progress page to ask: its failure is shown, and phase 3 cleans up as after
    // a failed unattended install.
    ShowCodeMessage(page, code);
    RunPhase(3, false);
  }
  if (Setup().variables.IsDefined("#REBOOT#")) Setup().reboot = true;
  EndSetup();
}

void UninstallFinishPageInit(HWND page) {
  char folder[kVariableValueSize];
  ExpandInto("#INSTALLPATH#", folder);
  const DWORD attributes = GetFileAttributesA(folder);
  const bool left = Setup().errorCode != 0 && attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!left) {
    for (int id : {kLeftText, kPleaseCheckText, kFolderText, kKeepFilesText}) {
      ShowWindow(GetDlgItem(page, id), SW_HIDE);
    }
    return;
  }
  SendDlgItemMessageA(page, kLeftText, WM_SETFONT,
                      reinterpret_cast<WPARAM>(Setup().boldMessageFont), TRUE);
  ReplaceWithHyperlink(page, kFolderText, folder, folder);
}

}  // namespace quillo::setup
