#include "extension_state.h"

#include <new>

#include "menu/entry_menu.h"
#include "menu/tool_tip_window.h"

namespace quillo {

// Built in static storage and never destroyed: at process exit nothing of it may run, and an
// explicit unload releases its resources through ReleaseProcessResources.
ExtensionState& State() {
  alignas(ExtensionState) static unsigned char storage[sizeof(ExtensionState)];
  static ExtensionState* state = new (storage) ExtensionState();
  return *state;
}

IShellFolder* Desktop() { return State().DesktopFolder.Get(); }
IdListAllocator& ListAllocator() { return State().Allocator; }
ShellAccess Shell() { return {State().DesktopFolder.Get(), State().Allocator.Get()}; }

void ReleaseProcessResources(ExtensionState& state) {
  state.RootItemBitmap.reset();
  state.MenuFont.reset();
  state.StatusFont.reset();
  // The hook procedures live in this module: leaving them installed past an unload would crash
  // the thread at its next message.
  state.CallWndProcHook.reset();
  state.MouseHook.reset();
  state.KeyboardHook.reset();
  // Classes registered by an unloaded module would keep pointing at its window procedures.
  ReleaseToolTipClass();
  ReleaseFreezeClass(state.ModuleInstance);
  state.TargetIdList.reset();
  state.DroppedNames.reset();
  state.DesktopFolder.Reset();
  state.Allocator.Release();
}

}  // namespace quillo
