#include "window_class.h"

namespace lwf {

bool RegisterWindowClass(const char* name, WNDPROC procedure, HICON icon, LPCSTR cursor,
                         HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, cursor);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassExA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace lwf
