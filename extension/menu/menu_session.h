// The life of one extension menu on Explorer's menu thread: taking over the window that owns
// Explorer's context menu at its first selection, and the mirrored teardown when the menu loop
// ends; plus closing the menus from another thread before acting.
#pragma once

#include <windows.h>

namespace quillo {

// At the first WM_MENUSELECT of Explorer's menu (window = its owner): measuring DC with the
// menu font, MenuWindowProc installed, the hover timer started, the window under the cursor
// remembered for the frozen pictures.
void TakeOverMenuOwner(HWND window);

// When the menu loop ends: hooks removed, window procedure and menu animation restored, levels
// and listings gone, OwnMenuActive cleared.
void MenuTeardown();

// From a thread: cancels the menus and waits until the teardown has run, unless Ctrl held at
// the activation in context-menu mode keeps them open.
void CloseMenus(bool ctrlAtActivation);

// The window under the cursor at the first selection of Explorer's menu.
HWND FreezeTarget();

}  // namespace quillo
