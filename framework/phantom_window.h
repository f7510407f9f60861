// The invisible phantom window that receives the framework's broadcasts for this instance.
#pragma once

#include <windows.h>

namespace lwf {

// Registers "LWFAppUIItem" and "LWFPhantom" and creates the phantom and the shared tooltip
// window. False when the phantom cannot be created.
bool CreatePhantomWindows();

// Destroys the tooltip and the phantom window.
void DestroyPhantomWindows();

// What the phantom does with the control message: only broadcasts carrying this instance's key
// are handled; returns false for others (passed on unhandled).
bool HandleControlMessage(WPARAM wParam, LPARAM lParam);

}  // namespace lwf
