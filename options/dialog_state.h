// The state object of a modal dialog: the parameter given at WM_INITDIALOG, kept with the
// dialog window so that every later message finds it.
#pragma once

#include <windows.h>

namespace quillo {

// The dialog's state; null for the few messages that come before WM_INITDIALOG.
template <class State>
State* DialogState(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace quillo
