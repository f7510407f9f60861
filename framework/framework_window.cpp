#include "framework_window.h"

#include "core/app_state.h"
#include "framework_data_file.h"
#include "lwf_app.h"
#include "window_class.h"

namespace lwf {
namespace {

constexpr char kWindowClass[] = "LWFWindow";
constexpr char kBusyClass[] = "LWFBusy";
constexpr char kPlacementFile[] = "(LWF)Win";

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallFrameworkProc(window, message, wParam, lParam);
}

bool RegisterClasses(int iconId) {
  return RegisterWindowClass(kWindowClass, FrameworkWindowProc, LoadIconA(App().instance, MAKEINTRESOURCEA(iconId)),
                             IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) &&
         RegisterWindowClass(kBusyClass, DefWindowProcA, nullptr, IDC_WAIT);
}

RECT PrimaryMonitor() {
  if (!App().monitors.empty()) return App().monitors.front();
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

// Two thirds of the monitor, centred, shifted by 40 pixels per index.
RECT DefaultPlacement(int index) {
  const RECT monitor = PrimaryMonitor();
  const int width = (monitor.right - monitor.left) * 2 / 3;
  const int height = (monitor.bottom - monitor.top) * 2 / 3;
  const int left = monitor.left + (monitor.right - monitor.left - width) / 2 + 40 * index;
  const int top = monitor.top + (monitor.bottom - monitor.top - height) / 2 + 40 * index;
  return RECT{left, top, left + width, top + height};
}

void SavePlacement(const FrameworkWindow& entry) {
  RECT rect{};
  if (!GetWindowRect(entry.hwnd, &rect)) return;
  WindowPlacementRecord record{};
  record.left = static_cast<std::int16_t>(rect.left);
  record.top = static_cast<std::int16_t>(rect.top);
  record.width = static_cast<std::int16_t>(rect.right - rect.left);
  record.height = static_cast<std::int16_t>(rect.bottom - rect.top);
  record.flags = entry.flags;
  record.opacityWord = entry.opacity | (entry.clickThrough ? kClickThroughBit : 0);
  WriteData(kPlacementFile, entry.index, &record, sizeof record);
}

}  // namespace

LRESULT CallFrameworkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateFrameworkWindow(int index, WNDPROC hook, const char* title, int iconId,
                           std::uint32_t flags) {
  if (!RegisterClasses(iconId)) return nullptr;
  RECT placement = DefaultPlacement(index);
  FrameworkWindow entry{nullptr, index, (flags & kWindowIsMain) != 0, flags, 255, false, nullptr};
  WindowPlacementRecord stored{};
  if (!App().newVersion && ReadData(kPlacementFile, index, &stored, sizeof stored) == sizeof stored &&
      stored.width > 0 && stored.height > 0) {
    placement = RECT{stored.left, stored.top, stored.left + stored.width, stored.top + stored.height};
    entry.opacity = static_cast<std::uint8_t>(stored.opacityWord & 0xFF);
    entry.clickThrough = (stored.opacityWord & kClickThroughBit) != 0;
  }
  entry.hwnd = CreateWindowExA(0, kWindowClass, title, WS_OVERLAPPEDWINDOW, placement.left,
                               placement.top, placement.right - placement.left,
                               placement.bottom - placement.top, nullptr, nullptr, App().instance,
                               nullptr);
  if (entry.hwnd == nullptr) return nullptr;
  entry.mutex = CreateMutexA(nullptr, FALSE, nullptr);
  if (hook != nullptr) SetWindowLongPtrA(entry.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook));
  App().windows.push_back(entry);
  return entry.hwnd;
}

LRESULT ForwardToMainWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto& windows = App().windows;
  if (windows.empty()) return 0;
  HWND target = windows.front().hwnd;
  for (const auto& entry : windows) {
    if (entry.isMain) target = entry.hwnd;
  }
  return SendMessageA(target, message, wParam, lParam);
}

void SendToFrameworkWindows(UINT message, WPARAM wParam, LPARAM lParam) {
  // A copy: a window may close while it handles the message.
  const auto windows = App().windows;
  for (const auto& entry : windows) SendMessageA(entry.hwnd, message, wParam, lParam);
}

void SaveWindowPlacements() {
  for (const auto& entry : App().windows) SavePlacement(entry);
}

void CloseFrameworkWindows() {
  auto windows = std::move(App().windows);
  App().windows.clear();
  for (const auto& entry : windows) {
    if (IsWindow(entry.hwnd)) DestroyWindow(entry.hwnd);
    if (entry.mutex != nullptr) CloseHandle(entry.mutex);
  }
}

}  // namespace lwf
