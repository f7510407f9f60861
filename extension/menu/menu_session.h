// The life of one extension menu on Explorer's menu thread: taking over the window that owns
// Explorer's context menu at its first selection, and the mirrored teardown when the menu loop
// ends; plus closing the menus from another thread before acting.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace quillo {

// At the first WM_MENUSELECT of Explorer's menu (window = its owner): measuring DC with the
// menu font, MenuWindowProc installed, the hover timer started, the window under the cursor
// remembered for the frozen pictures.
void TakeOverMenuOwner(HWND window);

// When the menu loop ends: hooks removed, window procedure and menu animation restored, levels
// and listings gone, OwnMenuActive cleared.
void MenuTeardown();

// How long a thread tries to close the menus before it goes on without them closed.
constexpr DWORD kCancelLimitMs = 3000;

// From a thread: cancels the menus and waits until the teardown has run, unless Ctrl held at
// the activation in context-menu mode keeps them open.
void CloseMenus(bool ctrlAtActivation);

// From a thread: sends WM_CANCELMODE to owner every 50 ms while active is set, each send
// waiting at most half a second for the owner's thread, and for limitMs in all. True when the
// menus closed (or the owner is gone).
bool CancelMenus(HWND owner, const std::atomic<std::uint8_t>& active, DWORD limitMs);

// The window under the cursor at the first selection of Explorer's menu.
HWND FreezeTarget();

}  // namespace quillo
