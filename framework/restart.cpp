#include "restart.h"

#include <windows.h>
#include <shellapi.h>

#include "lwf_app.h"
#include "core/bounded_text.h"
#include "win_handle.h"

namespace lwf {

bool IsElevated() {
  if (App().windowsVersion < 600) return true;
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return true;
  quillo::FileHandle token(raw);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) {
    return true;
  }
  return elevation.TokenIsElevated != 0;
}

void RequestRestart(int kind, const char* arguments, bool broadcast) {
  RestartRequest& request = App().restart;
  request.kind = kind == kRestartAsBefore ? (IsElevated() ? kRestartElevated : kRestartPlain) : kind;
  CopyText(request.arguments, sizeof request.arguments,
           arguments != nullptr ? arguments : App().commandLine);
  request.broadcast = broadcast;
  PostQuitMessage(0);
}

void CarryOutRestart() {
  const RestartRequest& request = App().restart;
  if (request.broadcast) {
    PostMessageA(HWND_BROADCAST, App().controlMessage, LWFM_RESTART, App().instanceKey);
  }
  if (request.kind == kRestartNone) return;
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return;
  const bool runas = request.kind == kRestartElevated && App().windowsVersion >= 600;
  // A failing start (the user refused elevation) is not reported: the next start re-applies.
  ShellExecuteA(nullptr, runas ? "runas" : nullptr, program, request.arguments, nullptr,
                SW_SHOWNORMAL);
}

}  // namespace lwf
