// Registering the framework's window classes.
#pragma once

#include <windows.h>

namespace lwf {

// Registers a class of this module (an existing one counts as success). icon may be null;
// cursor is a system cursor id such as IDC_ARROW.
bool RegisterWindowClass(const char* name, WNDPROC procedure, HICON icon, LPCSTR cursor,
                         HBRUSH background = nullptr);

}  // namespace lwf
