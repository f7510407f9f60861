// Activation of the highlighted entry (Enter, a left click, or a right click with nothing
// highlighted): an action thread closes the menus and opens the item, or the options program
// starts when the extension's own entry was clicked.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

namespace quillo {

// The Quillo_LButtonMsg handler, on the menu thread.
void ActivateHighlighted();

// The record the action thread opens an item with. Its size is the caller's own structure
// size, so that 32- and 64-bit builds each pass the record their shell expects. The directory
// is the real (Unicode) path of the folder holding the item.
SHELLEXECUTEINFOW OpenItemRecord(LPCITEMIDLIST item, const wchar_t* directory, bool explore);

}  // namespace quillo
