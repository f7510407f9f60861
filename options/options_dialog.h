// The OptionsDialog (resource 104): every option of the extension in one modal dialog.
#pragma once

#include <windows.h>

#include "options_dialog_ids.h"

namespace quillo {

constexpr int kOptionsDialogId = IDD_OPTIONS;

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillo
