// The shell's own context menu for one entry of the extension's menus (a right click on it):
// shown from a thread of its own over frozen pictures of the menus ("CFreezeWnd" windows),
// while the busy flag keeps the extension out of the menu the shell builds.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace quillo {

// On the menu thread: starts EntryMenuThread with a copy of entry and returns once the thread
// has taken over. Always 1.
int ShowEntryMenu(LPCITEMIDLIST entry);

// The "CFreezeWnd" window class, registered at every freeze (a repeated registration fails
// harmlessly) and unregistered when the module is released.
void RegisterFreezeClass(HINSTANCE instance);
void ReleaseFreezeClass(HINSTANCE instance);

}  // namespace quillo
