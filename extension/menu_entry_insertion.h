// QueryContextMenu and GetCommandString: the extension's entries in Explorer's menu and the
// help text for the status bar.
#pragma once

#include <windows.h>

#include "extension_state.h"

namespace quillo {

// Inserts "Quillo" (context mode) or the drag-and-drop entries at indexMenu, each with an empty
// popup, and hooks the thread. Returns a success code of the number inserted + 1, or 0 when the
// extension stays out.
HRESULT InsertMenuEntries(ExtensionState& state, HMENU menu, UINT indexMenu, UINT idCmdFirst,
                          UINT flags);

// A handler is going away: when its entries were the last inserted and Explorer's menu never
// opened (a caller that builds a menu only to read it), its hooks are removed and the menu
// animation restored now instead of at some later right-click.
void EndMenuNeverShown(ExtensionState& state, const void* handler);

// Writes the highlighted entry's help text as wide text: "Quillo options..." for the root entry
// itself, else the entry's parsing name. Always S_OK; writes nothing unless the extension's own
// menu is active and a help text was asked for.
HRESULT WriteCommandHelp(const ExtensionState& state, UINT type, char* buffer, UINT cchMax);

// The ID list an ItemId stands for: the target for the root entry's values (from 0xFFFF0000 up),
// else the entry's in the open menu levels; null when it names none.
LPCITEMIDLIST ItemIdList(const ExtensionState& state, ItemId itemId);

}  // namespace quillo
