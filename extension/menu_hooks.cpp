#include "menu_hooks.h"

namespace quillo {

void InstallMenuHooks(ExtensionState& state) {
  RemoveMenuHooks(state);
  const DWORD thread = GetCurrentThreadId();
  state.CallWndProcHook.reset(
      SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, state.ModuleInstance, thread));
  state.MouseHook.reset(SetWindowsHookExA(WH_MOUSE, MouseHook, state.ModuleInstance, thread));
  state.KeyboardHook.reset(SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, state.ModuleInstance, thread));
}

void RemoveMenuHooks(ExtensionState& state) {
  state.CallWndProcHook.reset();
  state.MouseHook.reset();
  state.KeyboardHook.reset();
}

// The menu machinery that reacts to these messages is not part of this module yet; the hooks
// already sit on the thread so that their installation and removal are exercised.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace quillo
