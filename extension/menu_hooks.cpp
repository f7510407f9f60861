#include "menu_hooks.h"

#include "menu/explorer_menu_hook.h"
#include "menu/menu_trace.h"

namespace quillo {

void InstallMenuHooks(ExtensionState& state) {
  if (state.CallWndProcHook || state.MouseHook || state.KeyboardHook) MenuTrace("hooks left over");
  RemoveMenuHooks(state);
  const DWORD thread = GetCurrentThreadId();
  state.CallWndProcHook.reset(
      SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, state.ModuleInstance, thread));
  state.MouseHook.reset(SetWindowsHookExA(WH_MOUSE, MouseHook, state.ModuleInstance, thread));
  state.KeyboardHook.reset(SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, state.ModuleInstance, thread));
  MenuTrace("hooks installed");
}

void RemoveMenuHooks(ExtensionState& state) {
  state.CallWndProcHook.reset();
  state.MouseHook.reset();
  state.KeyboardHook.reset();
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && lParam != 0) {
    OnExplorerMenuMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A consumed click or key is dropped (returning 1), so the menu loop never sees it.
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && OnMenuMouseMessage(wParam)) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && OnMenuKey(wParam, lParam)) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace quillo
