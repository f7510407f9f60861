// Building a menu level when Windows is about to open one of the extension's popups
// (WM_INITMENUPOPUP): the listing of the highlighted entry is obtained from the item model and
// the popup filled with owner-drawn items; the level's worker then decides the children.
#pragma once

#include <windows.h>

#include "menu_level.h"

namespace quillo {

// The WM_INITMENUPOPUP handler while the extension's menu is active: popup is the menu being
// opened, positionInParent its item's position in the parent menu. Returns what the window
// procedure returns: 1 when the level is already open, else 0.
LRESULT OpenLevel(HMENU popup, int positionInParent);

// Inserts the level's items into its popup; the number inserted, or -1 when the pointer left
// the parent entry or a mouse button went down before it was done.
int FillLevel(MenuLevel& level, int levelIndex);

// The cursor is no longer on the entry whose submenu is being built.
bool CursorLeftSelection();

}  // namespace quillo
