// Framework windows (class "LWFWindow"): creation with stored placement, the framework's window
// procedure behind a program's hook, forwarding to the main window, and saving placements.
#pragma once

#include <windows.h>

#include <cstdint>

namespace lwf {

constexpr std::uint32_t kWindowIsMain = 0x1;

// Creates a hidden framework window; hook (may be null) is installed in front of the framework's
// procedure and passes messages on with CallFrameworkProc. Null on failure (code 0xF002).
HWND CreateFrameworkWindow(int index, WNDPROC hook, const char* title, int iconId,
                           std::uint32_t flags);

// The framework's own handling of a message of a framework window.
LRESULT CallFrameworkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sends message to the newest window flagged as main, else to the first framework window.
LRESULT ForwardToMainWindow(UINT message, WPARAM wParam, LPARAM lParam);

// Sends message to every framework window.
void SendToFrameworkWindows(UINT message, WPARAM wParam, LPARAM lParam);

// Stores each window's placement as "(LWF)Win<index>".
void SaveWindowPlacements();

// Destroys every framework window.
void CloseFrameworkWindows();

}  // namespace lwf
