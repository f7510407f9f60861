#include "phantom_window.h"

#include <commctrl.h>

#include "framework_window.h"
#include "lwf_app.h"
#include "monitor_table.h"
#include "restart.h"
#include "update_check.h"
#include "window_class.h"

namespace lwf {
namespace {

constexpr char kPhantomClass[] = "LWFPhantom";
constexpr char kUiItemClass[] = "LWFAppUIItem";
constexpr UINT_PTR kHourTimer = 0x4321;
constexpr UINT kHour = 3600000;

int g_hours = 0;

void OnHour() {
  if (++g_hours < 24) return;
  g_hours = 0;
  AutomaticUpdateCheck();
}

LRESULT CALLBACK PhantomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == App().controlMessage) {
    if (HandleControlMessage(wParam, lParam)) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message != 0 && message == App().taskbarMessage) {
    ForwardToMainWindow(LWFM_TASKBARCREATED, 0, 0);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      SetTimer(window, kHourTimer, kHour, nullptr);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kHourTimer);
      return 0;
    case WM_TIMER:
      if (wParam == kHourTimer) OnHour();
      return 0;
    case WM_ENDSESSION:
      SaveApplicationState();
      return 0;
    case WM_DISPLAYCHANGE:
      FollowDisplayChange();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool HandleControlMessage(WPARAM wParam, LPARAM lParam) {
  if (static_cast<std::uint32_t>(lParam) != App().instanceKey) return false;
  if (wParam == LWFM_RESTART) {
    RequestRestart(kRestartAsBefore, nullptr, false);
    return true;
  }
  if (wParam == LWFM_ACTIVATE) {
    for (auto& entry : App().windows) entry.clickThrough = false;
  }
  ForwardToMainWindow(static_cast<UINT>(wParam), 0, 0);
  return true;
}

bool CreatePhantomWindows() {
  HICON icon = LoadIconA(App().instance, MAKEINTRESOURCEA(1));
  if (!RegisterWindowClass(kUiItemClass, DefWindowProcA, icon, IDC_ARROW) ||
      !RegisterWindowClass(kPhantomClass, PhantomProc, icon, IDC_ARROW)) {
    return false;
  }
  App().phantom = CreateWindowExA(WS_EX_TOOLWINDOW, kPhantomClass, App().productName, WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, App().instance, nullptr);
  if (App().phantom == nullptr) return false;
  App().tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, App().instance, nullptr);
  return true;
}

void DestroyPhantomWindows() {
  if (App().tooltip != nullptr) DestroyWindow(App().tooltip);
  if (App().phantom != nullptr) DestroyWindow(App().phantom);
  App().tooltip = nullptr;
  App().phantom = nullptr;
}

}  // namespace lwf
