// What the call-window-procedure hook does with the messages of Explorer's menu thread: places
// the extension's entry and its separators when Explorer's context menu is about to appear, and
// takes over the menu's owner window at the menu's first selection.
#pragma once

#include <windows.h>

namespace quillo {

void OnExplorerMenuMessage(const CWPSTRUCT& message);

// The keys and buttons the mouse and keyboard hooks turn into the extension's messages while
// its menu is active. True when the event is consumed (the menu loop must not see it).
bool OnMenuMouseMessage(WPARAM mouseMessage);
bool OnMenuKey(WPARAM virtualKey, LPARAM keyFlags);

}  // namespace quillo
