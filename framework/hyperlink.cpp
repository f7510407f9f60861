#include "hyperlink.h"

#include <commctrl.h>
#include <shellapi.h>

#include "core/bounded_text.h"
#include "lwf_app.h"
#include "window_class.h"

namespace lwf {
namespace {

constexpr char kClassName[] = "CHyperlinkWnd";
constexpr COLORREF kFreshColor = RGB(0, 0, 255);
constexpr COLORREF kUsedColor = RGB(128, 0, 128);

struct Hyperlink {
  char target[MAX_PATH] = "";
  UINT align = DT_LEFT;
  bool pathEllipsis = false;
  bool used = false;
  HFONT font = nullptr;
  HWND tooltip = nullptr;
};

Hyperlink* LinkOf(HWND window) {
  return reinterpret_cast<Hyperlink*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Path-ellipsis statics keep the message font, underlined; others get Times New Roman 16 px.
HFONT CreateLinkFont(bool pathEllipsis) {
  LOGFONTA font{};
  if (pathEllipsis && App().fonts.normal != nullptr && GetObjectA(App().fonts.normal, sizeof font, &font)) {
    font.lfUnderline = TRUE;
    return CreateFontIndirectA(&font);
  }
  font = LOGFONTA{};
  font.lfHeight = -16;
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = TRUE;
  font.lfCharSet = DEFAULT_CHARSET;
  CopyText(font.lfFaceName, sizeof font.lfFaceName, "Times New Roman");
  return CreateFontIndirectA(&font);
}

void Open(HWND window, Hyperlink& link) {
  // A failing start shows nothing: the link is marked used like any other click.
  ShellExecuteA(GetParent(window), "open", link.target, nullptr, nullptr, SW_SHOWNORMAL);
  link.used = true;
  InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window, const Hyperlink& link) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  char text[MAX_PATH];
  GetWindowTextA(window, text, sizeof text);
  HGDIOBJ old = SelectObject(dc, link.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, link.used ? kUsedColor : kFreshColor);
  DrawTextA(dc, text, -1, &client,
            link.align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (link.pathEllipsis ? DT_PATH_ELLIPSIS : 0));
  SelectObject(dc, old);
  if (GetFocus() == window) DrawFocusRect(dc, &client);
  EndPaint(window, &paint);
}

LRESULT CALLBACK HyperlinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Hyperlink* link = LinkOf(window);
  if (link == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Paint(window, *link);
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONUP:
      Open(window, *link);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) Open(window, *link);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_NCDESTROY:
      if (link->tooltip != nullptr) DestroyWindow(link->tooltip);
      if (link->font != nullptr) DeleteObject(link->font);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete link;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void AddTooltip(HWND window, Hyperlink& link) {
  link.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  if (link.tooltip == nullptr) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = link.target;
  SendMessageA(link.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

HWND AttachHyperlink(HWND dialog, int staticId, const char* target) {
  HWND original = GetDlgItem(dialog, staticId);
  if (original == nullptr || target == nullptr || !RegisterWindowClass(kClassName, HyperlinkProc, nullptr, IDC_HAND)) return nullptr;
  auto* link = new Hyperlink;
  CopyText(link->target, sizeof link->target, target);
  const LONG style = GetWindowLongA(original, GWL_STYLE);
  const LONG kind = style & SS_TYPEMASK;
  link->align = kind == SS_CENTER ? DT_CENTER : (kind == SS_RIGHT ? DT_RIGHT : DT_LEFT);
  link->pathEllipsis = (style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS;
  char text[MAX_PATH];
  if (GetWindowTextA(original, text, sizeof text) == 0) CopyText(text, sizeof text, target);
  RECT rect;
  GetWindowRect(original, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  HWND after = GetWindow(original, GW_HWNDPREV);
  DestroyWindow(original);
  HWND window = CreateWindowExA(0, kClassName, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(staticId)),
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) {
    delete link;
    return nullptr;
  }
  link->font = CreateLinkFont(link->pathEllipsis);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  SetWindowPos(window, after != nullptr ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AddTooltip(window, *link);
  return window;
}

}  // namespace lwf
