#include "data_path_wait.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/bounded_text.h"
#include "directory_path.h"
#include "lwf_app.h"
#include "win_handle.h"
#include "window_class.h"

namespace lwf {
namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kQuitCommand = 1;
constexpr char kWaitClass[] = "LWFWaitForData";

struct WaitState {
  bool quit = false;
};

// A grey copy of an icon (its colour bitmap turned into luminance), or null.
HICON GreyIcon(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return nullptr;
  HICON grey = nullptr;
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = bitmap.bmWidth;
    header.bmiHeader.biHeight = -bitmap.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &header, DIB_RGB_COLORS)) {
      for (auto& p : pixels) {
        const std::uint32_t y = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        p = (p & 0xFF000000u) | (y << 16) | (y << 8) | y;
      }
      SetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
      grey = CreateIconIndirect(&info);
    }
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return grey;
}

void ShowQuitMenu(HWND window, WaitState& state) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  char caption[MAX_PATH];
  std::snprintf(caption, sizeof caption, Text(kTextDataPath, 2), App().productName);
  AppendMenuA(menu, MF_STRING, kQuitCommand, caption);
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  if (TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, window, nullptr) ==
      static_cast<BOOL>(kQuitCommand)) {
    state.quit = true;
  }
  DestroyMenu(menu);
}

LRESULT CALLBACK WaitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    return 0;
  }
  auto* state = reinterpret_cast<WaitState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kTrayMessage && state != nullptr &&
      (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK || lParam == WM_RBUTTONUP)) {
    ShowQuitMenu(window, *state);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Ten 100 ms waits that keep handling messages.
void WaitOneSecond() {
  for (int i = 0; i < 10; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(100);
  }
}

class TrayIcon {
 public:
  TrayIcon(HWND window, HICON icon) : data_{} {
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data_.uCallbackMessage = kTrayMessage;
    data_.hIcon = icon;
    std::snprintf(data_.szTip, sizeof data_.szTip, "%s: %s", App().productName, Text(kTextDataPath, 1));
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
  }
  ~TrayIcon() {
    if (added_) Shell_NotifyIconA(NIM_DELETE, &data_);
  }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  void SetIcon(HICON icon) {
    data_.hIcon = icon;
    data_.uFlags = NIF_ICON;
    if (added_) Shell_NotifyIconA(NIM_MODIFY, &data_);
  }

 private:
  NOTIFYICONDATAA data_;
  bool added_ = false;
};

}  // namespace

bool WaitForFolder(const char* folder) {
  if (quillo::EnsureDirectoryPath(folder) == quillo::kDirectoryReady) return true;
  RegisterWindowClass(kWaitClass, WaitProc, nullptr, IDC_ARROW);  // failure shows up below
  WaitState state;
  HWND window = CreateWindowExA(0, kWaitClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                App().instance, &state);
  HICON grey = GreyIcon(App().programIcon);
  bool ready = false;
  {
    TrayIcon tray(window, App().programIcon);
    for (int second = 0; !state.quit; ++second) {
      tray.SetIcon(second % 2 == 0 || grey == nullptr ? App().programIcon : grey);
      WaitOneSecond();
      if (quillo::EnsureDirectoryPath(folder) == quillo::kDirectoryReady) {
        ready = true;
        break;
      }
    }
  }
  if (grey != nullptr) DestroyIcon(grey);
  if (window != nullptr) DestroyWindow(window);
  return ready;
}

bool FolderWritable(const char* folder) {
  char path[MAX_PATH];
  CopyText(path, sizeof path, folder);
  const std::size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == '\\') path[length - 1] = '\0';
  AppendText(path, sizeof path, "\\LWFWriteTest.tmp");
  {
    quillo::FileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
  }
  DeleteFileA(path);
  return true;
}

}  // namespace lwf
