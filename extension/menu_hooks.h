// The three thread hooks on Explorer's menu thread: call-window-procedure (positions the entry
// and takes over the menu owner window), mouse and keyboard (the keys and buttons inside the
// extension's menus). Installed by QueryContextMenu, removed by the menu teardown.
#pragma once

#include "extension_state.h"

namespace quillo {

// Removes hooks left from an earlier invocation, then hooks the calling thread.
void InstallMenuHooks(ExtensionState& state);
void RemoveMenuHooks(ExtensionState& state);

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

}  // namespace quillo
