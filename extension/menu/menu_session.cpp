#include "menu_session.h"

#include "extension_state.h"
#include "menu/core/activation_decision.h"
#include "menu_animation.h"
#include "menu_hooks.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_window.h"
#include "tool_tip_window.h"

namespace quillo {
namespace {

constexpr DWORD kCancelPollMs = 50;
// A menu thread that does not answer a cancel within this time is not waited for any longer.
constexpr DWORD kCancelSendLimitMs = 500;

struct SessionState {
  HWND freezeTarget = nullptr;
  HGDIOBJ measureDCFont = nullptr;  // the font the measuring DC had before MenuFont
};

SessionState& Session() {
  static SessionState session;
  return session;
}

}  // namespace

HWND FreezeTarget() { return Session().freezeTarget; }

void TakeOverMenuOwner(HWND window) {
  ExtensionState& state = State();
  SessionState& session = Session();
  state.MenuOwnerWindow = window;
  if (state.MeasureDC == nullptr) {
    state.MeasureDC = GetDC(window);
    if (state.MeasureDC != nullptr && state.MenuFont) {
      session.measureDCFont = SelectObject(state.MeasureDC, state.MenuFont.get());
    }
  }
  if (!state.Subclassed) {
    state.PreviousWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc)));
    state.Subclassed = state.PreviousWindowProc != nullptr;
    if (state.Subclassed && state.Options.toolTipsEnabled) {
      SetTimer(window, kHoverTimerId, kHoverTimerMs, nullptr);
    }
  }
  MenuTrace("take-over subclassed=%d", state.Subclassed.load());
  POINT cursor{};
  GetCursorPos(&cursor);
  session.freezeTarget = WindowFromPoint(cursor);
}

void MenuTeardown() {
  ExtensionState& state = State();
  SessionState& session = Session();
  HWND window = state.MenuOwnerWindow;
  HideToolTip();
  KillTimer(window, kHoverTimerId);
  state.HighlightedItemId = kNoItemId;
  RemoveMenuHooks(state);
  if (state.Subclassed) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.PreviousWindowProc));
    state.Subclassed = 0;
  }
  DestroyAllLevels();
  state.Listings.Empty();
  state.TargetIdList.reset();
  Levels().root.idList = nullptr;
  if (state.MeasureDC != nullptr) {
    if (session.measureDCFont != nullptr) SelectObject(state.MeasureDC, session.measureDCFont);
    ReleaseDC(window, state.MeasureDC);
    state.MeasureDC = nullptr;
    session.measureDCFont = nullptr;
  }
  RestoreMenuAnimation(state);
  state.BusyCursorCount = 0;
  state.OwnMenuActive = 0;
  MenuTrace("teardown hooks=%d subclassed=%d", (state.CallWndProcHook ? 1 : 0) +
            (state.MouseHook ? 1 : 0) + (state.KeyboardHook ? 1 : 0), state.Subclassed.load());
}

bool CancelMenus(HWND owner, const std::atomic<std::uint8_t>& active, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (active.load() != 0 && IsWindow(owner)) {
    if (GetTickCount() - start >= limitMs) return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(owner, WM_CANCELMODE, 0, 0, SMTO_NORMAL, kCancelSendLimitMs, &ignored);
    Sleep(kCancelPollMs);
  }
  return true;
}

void CloseMenus(bool ctrlAtActivation) {
  ExtensionState& state = State();
  if (MenusStayOpen(ctrlAtActivation, state.InvocationMode)) return;
  CancelMenus(state.MenuOwnerWindow, state.OwnMenuActive, kCancelLimitMs);
}

}  // namespace quillo
