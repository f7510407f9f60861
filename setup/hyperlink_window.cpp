#include "hyperlink_window.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "setup_state.h"
#include "wizard_control.h"

namespace quillo::setup {
namespace {

constexpr char kHyperlinkClass[] = "CHyperlinkWnd";

struct Hyperlink {
  char text[MAX_PATH];
  char target[MAX_PATH];
};

void Paint(HWND window, const Hyperlink& link) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  const HGDIOBJ old = SelectObject(dc, Setup().boldMessageFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 255));
  DrawTextA(dc, link.text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  if (GetFocus() == window) {
    SetTextColor(dc, RGB(0, 0, 0));
    DrawFocusRect(dc, &client);
  }
  EndPaint(window, &paint);
}

void Open(const Hyperlink& link) {
  ShellExecuteA(nullptr, nullptr, link.target, nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK HyperlinkProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const Hyperlink* link = ControlData<Hyperlink>(window);
  if (link == nullptr) return DefWindowProcA(window, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      Paint(window, *link);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_LBUTTONUP:
      if (GetFocus() == window) Open(*link);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_CHAR:
      if (wParam == ' ') Open(*link);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_NCDESTROY:
      FreeControlData<Hyperlink>(window);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

// The hand cursor: the system's hand where it exists, else the arrow.
HCURSOR HandCursor() {
  HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  return hand ? hand : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
}

// The text's size in the bold message font, plus room for the focus rectangle.
SIZE MeasureText(HWND page, const char* text) {
  HDC dc = GetDC(page);
  const HGDIOBJ old = SelectObject(dc, Setup().boldMessageFont);
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(page, dc);
  return SIZE{rect.right - rect.left + 4, rect.bottom - rect.top + 2};
}

}  // namespace

void ReplaceWithHyperlink(HWND page, int id, const char* text, const char* target) {
  HWND placeholder = GetDlgItem(page, id);
  if (placeholder == nullptr ||
      !RegisterControlClass(kHyperlinkClass, HyperlinkProc, HandCursor(),
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    return;
  }
  auto link = std::make_unique<Hyperlink>();
  if (text && text[0] != '\0') {
    std::snprintf(link->text, sizeof link->text, "%s", text);
  } else {
    GetWindowTextA(placeholder, link->text, sizeof link->text);
  }
  std::snprintf(link->target, sizeof link->target, "%s",
                target && target[0] != '\0' ? target : link->text);
  RECT rect;
  GetWindowRect(placeholder, &rect);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  DestroyWindow(placeholder);
  const SIZE size = MeasureText(page, link->text);
  const RECT area{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy};
  CreateControl(kHyperlinkClass, page, id, area, std::move(link));
}

}  // namespace quillo::setup
