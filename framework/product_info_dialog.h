// The framework's product information dialog (resource 50102): product line and links, the
// configuration backup, restore and reset, and the update-check choice.
#pragma once

#include <windows.h>

namespace lwf {

// Runs the dialog modally with owner.
void ShowProductInformation(HWND owner);

}  // namespace lwf
