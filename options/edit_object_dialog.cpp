#include "edit_object_dialog.h"

#include "dialog_state.h"
#include "lwf_app.h"
#include "lwf_dialog.h"
#include "options_program.h"
#include "subdialog_ids.h"

namespace quillo {
namespace {

constexpr int kNameSize = MAX_PATH;

INT_PTR CALLBACK EditObjectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  char* text = DialogState<char>(dialog, message, lParam);
  if (text == nullptr) return FALSE;
  if (HelpOnF1(message, kOptionsHelpTopic)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      lwf::PrepareDialog(dialog);
      SendDlgItemMessageA(dialog, IDC_EDIT_OBJECT_NAME, EM_LIMITTEXT, kNameSize - 1, 0);
      SetDlgItemTextA(dialog, IDC_EDIT_OBJECT_NAME, text);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, IDC_EDIT_OBJECT_NAME, text, kNameSize);
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR EditObject(HWND owner, char* text) {
  return DialogBoxParamA(lwf::App().instance, MAKEINTRESOURCEA(IDD_EDIT_OBJECT), owner, EditObjectProc,
                         reinterpret_cast<LPARAM>(text));
}

}  // namespace quillo
