// Edit Object (dialog 101): edits one name of the objects to exclude.
#pragma once

#include <windows.h>

namespace quillo {

// Shows text (260 bytes); OK copies up to 259 characters back into it. Returns 1 (OK) or 2.
INT_PTR EditObject(HWND owner, char* text);

}  // namespace quillo
