// Select Object (dialog 113): a tree of the shell namespace from the desktop down, from which
// the user picks one object.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace quillo {

enum SelectObjectMode : int { kSelectDisplayName = 0, kSelectParsingName = 1 };

// Runs the dialog. On OK text (260 bytes) receives the chosen object's in-folder name (mode 0)
// or parsing name (mode 1), and list, when given, a copy of its absolute item ID list on the
// shell allocator (the caller's to free); list stays null otherwise. Returns 1 (OK) or 2.
INT_PTR SelectShellObject(HWND owner, int mode, char* text, LPITEMIDLIST* list);

}  // namespace quillo
