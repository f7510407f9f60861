// The framework's modal dialog call and the preparation every framework-run dialog gets.
#pragma once

#include <windows.h>

namespace lwf {

// Brings the owner to the front, tells every framework window LWFM_MODAL (wParam = depth)
// before and after, and runs the dialog resource modally. Returns the dialog's result.
INT_PTR RunDialog(HWND owner, int resourceId, DLGPROC procedure, LPARAM parameter);

// At WM_INITDIALOG: semibold group boxes, check boxes on a group's upper frame give it their
// caption, focus, centring over the parent clamped into its monitor, topmost like the parent.
void PrepareDialog(HWND dialog);

}  // namespace lwf
