#include "product_info_dialog.h"

#include <algorithm>
#include <string>

#include "config_transfer.h"
#include "core/message_box_style.h"
#include "framework_dialog_ids.h"
#include "framework_window.h"
#include "hyperlink.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "lwf_message_box.h"
#include "product_header.h"
#include "restart.h"
#include "update_check.h"

namespace lwf {
namespace {

// Restore and reset take effect at the next start: offer to restart now (and the other
// instances of the product with this one).
void AskRestart(HWND dialog, int doneText) {
  if (LwfMessageBox(dialog, nullptr, "%s\n%s", kMbIconQuestion | kMbOkCancel | kMbBoldFirstLine, 0,
                    Text(kTextConfigDone, doneText), Text(kTextRestart, 0)) == kIdOk) {
    RequestRestart(kRestartAsBefore, nullptr, true);
  }
}

void Backup(HWND dialog) {
  SaveApplicationState();
  ForwardToMainWindow(LWFM_SAVEDATA, 0, 0);
  if (ConfigTransfer(dialog, kConfigBackup) == kConfigDone) {
    LwfMessageBox(dialog, nullptr, Text(kTextConfigDone, 1), kMbIconInformation | kMbOk | kMbBoldFirstLine, 0);
  }
}

void Initialize(HWND dialog) {
  PrepareDialog(dialog);
  SetWindowTextA(dialog, App().productName);
  ShowProductHeader(dialog, Text(kTextProductInfo, 0));
  const auto& installFolder = App().setupInfo.installFolder;
  AttachHyperlink(dialog, IDC_LWF_PROGRAM_PATH,
                  std::string(installFolder, std::find(installFolder, installFolder + sizeof installFolder, '\0')).c_str());
  AttachHyperlink(dialog, IDC_LWF_DATA_PATH, App().dataFolder);
  CheckDlgButton(dialog, IDC_LWF_AUTOMATIC_CHECK,
                 ReadUpdateCheckState().lastCheck == kAutomaticCheckOff ? BST_UNCHECKED : BST_CHECKED);
  EnableWindow(GetDlgItem(dialog, IDC_LWF_HELP), !App().windows.empty());
}

void StoreAutomaticCheckChoice(HWND dialog) {
  UpdateCheckState state = ReadUpdateCheckState();
  ChooseAutomaticCheck(state, IsDlgButtonChecked(dialog, IDC_LWF_AUTOMATIC_CHECK) == BST_CHECKED);
  WriteUpdateCheckState(state);
}

void OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_LWF_RESTORE:
      if (ConfigTransfer(dialog, kConfigRestore) == kConfigDone) AskRestart(dialog, 0);
      break;
    case IDC_LWF_BACKUP:
      Backup(dialog);
      break;
    case IDC_LWF_RESET:
      if (ConfigTransfer(dialog, kConfigReset) == kConfigDone) AskRestart(dialog, 2);
      break;
    case IDC_LWF_CHECK_NOW:
      RunManualUpdateCheck(dialog);
      break;
    case IDC_LWF_HELP:
      ShowHelpTopic();
      break;
    case IDOK:
      StoreAutomaticCheckChoice(dialog);
      EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK ProductDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog);
      return FALSE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_HELP:
      ShowHelpTopic();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowProductInformation(HWND owner) { RunDialog(owner, IDD_LWF_PRODUCT, ProductDialogProc, 0); }

}  // namespace lwf
