// The Advanced Filter (dialog 103): the extensions and the objects the menus leave out.
#pragma once

#include <windows.h>

namespace quillo {

// Runs the dialog modally; OK (1) stores the two lists, Cancel (2) puts the whole record back
// as it was when the dialog opened.
INT_PTR RunAdvancedFilter(HWND owner);

}  // namespace quillo
