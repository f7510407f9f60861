// The tool tip of the extension's menus: a window of class "QuilloToolTipWnd" shown next to the
// pointer when it rests on an entry, with the item's name, the folder it is in, its kind and its
// size, or for a folder the running counts of its files and folders. At most one exists; it
// goes with every highlight change, right click, when the menus close, and by its own timer
// once they are gone.
#pragma once

#include <windows.h>

#include "menu_entry.h"

namespace quillo {

// Registers the window class and creates its brush and pen, once per process; the release
// undoes both (at process detach).
void RegisterToolTipClass(HINSTANCE instance);
void ReleaseToolTipClass();

// A tick of the hover timer: after toolTipSpeed ticks resting on the highlighted entry its tip
// is shown (for the root entry: the object the menu was opened on).
void HoverTimerTick();

// Replaces any tip by the entry's. Entries without an ID list, separators, "(Empty)", "Recent",
// "Favorites" and "More..." get none. Waits for a count of the previous tip to end.
void ShowToolTip(const MenuEntry& entry);

// Destroys the tip window and frees the item it described; nothing when there is none.
void HideToolTip();

}  // namespace quillo
