// The Colors dialog (468): the custom flag and colour of each item colour, unselected and
// selected, edited on a copy of the options record.
#pragma once

#include <windows.h>

namespace quillo {

// Runs the dialog modally; OK (1) copies the edited record back, Cancel (2) drops it.
INT_PTR RunColorsDialog(HWND owner);

}  // namespace quillo
