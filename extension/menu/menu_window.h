// MenuWindowProc: the window procedure the window owning Explorer's context menu carries while
// the extension's menus are up. It takes the extension's registered messages, the owner-draw
// and popup messages of its entries, tracks the highlighted entry and passes everything else to
// the window's own procedure.
#pragma once

#include <windows.h>

namespace quillo {

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Quillo_CursorMsg: wParam 1 raises the busy count, anything else lowers it; the app-starting
// cursor shows while it is 1 or more.
void ApplyCursorMessage(WPARAM wParam);

// Whether the process runs under Wine, whose menu loop differs from Windows' in ways the menus
// compensate for there only.
bool RunningUnderWine();

// The timer that counts hover ticks for the tool tips.
constexpr UINT_PTR kHoverTimerId = 0x1234;
constexpr UINT kHoverTimerMs = 100;

}  // namespace quillo
