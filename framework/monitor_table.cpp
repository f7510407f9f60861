#include "monitor_table.h"

#include <windows.h>

#include "core/dialog_geometry.h"
#include "lwf_app.h"

namespace lwf {
namespace {

using EnumMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  auto* monitors = reinterpret_cast<std::vector<RECT>*>(data);
  if (monitors->size() < kMaxMonitors) monitors->push_back(*rect);
  return TRUE;
}

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

int Scale(int value, int from, int to) { return from == 0 ? value : MulDiv(value, to, from); }

}  // namespace

void ReadMonitorTable() {
  std::vector<RECT> monitors;
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto enumerate = user32 == nullptr ? nullptr
      : reinterpret_cast<EnumMonitorsFn>(reinterpret_cast<void*>(GetProcAddress(user32, "EnumDisplayMonitors")));
  if (enumerate != nullptr) enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    monitors.push_back(desktop);
  }
  App().monitors = std::move(monitors);
}

void FollowDisplayChange() {
  std::vector<Rect> before;
  for (const RECT& r : App().monitors) before.push_back(ToRect(r));
  ReadMonitorTable();
  for (const auto& entry : App().windows) {
    RECT window{};
    if (!IsWindowVisible(entry.hwnd) || !GetWindowRect(entry.hwnd, &window)) continue;
    const std::size_t index = ChooseMonitor(before.data(), before.size(), window.left, window.top);
    if (index >= before.size() || index >= App().monitors.size()) continue;
    const Rect from = before[index];
    const Rect to = ToRect(App().monitors[index]);
    const int left = to.left + Scale(window.left - from.left, from.Width(), to.Width());
    const int top = to.top + Scale(window.top - from.top, from.Height(), to.Height());
    const int width = Scale(window.right - window.left, from.Width(), to.Width());
    const int height = Scale(window.bottom - window.top, from.Height(), to.Height());
    MoveWindow(entry.hwnd, left, top, width, height, TRUE);
  }
}

}  // namespace lwf
