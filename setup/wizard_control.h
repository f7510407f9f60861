// What the wizard's own controls (banner, hyperlink) share: a window class registered once, and
// per-window data that the window owns from its creation to WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <memory>

namespace quillo::setup {

// Registers the class on first use; false when it cannot be registered.
bool RegisterControlClass(const char* name, WNDPROC proc, HCURSOR cursor, HBRUSH background);

// Creates a visible child control with the id at the rectangle (page coordinates) and hands it
// `data`; null when it cannot be created (the data is then freed).
template <class Data>
HWND CreateControl(const char* className, HWND page, int id, const RECT& rect,
                   std::unique_ptr<Data> data) {
  HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, page,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.release()));
  InvalidateRect(window, nullptr, TRUE);
  return window;
}

// The control's data; null before it was handed over.
template <class Data>
Data* ControlData(HWND window) {
  return reinterpret_cast<Data*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// For WM_NCDESTROY: frees the control's data.
template <class Data>
void FreeControlData(HWND window) {
  delete ControlData<Data>(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

}  // namespace quillo::setup
