#include "lwf_message_box.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "core/string_table.h"
#include "lwf_app.h"
#include "lwf_dialog.h"

namespace lwf {
namespace {

constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMinTextWidth = 180;
const int kAllButtons[] = {kIdOk, kIdCancel, kIdYes, kIdNo};

struct MessageRequest {
  const char* title;
  const char* text;
  std::uint32_t style;
  MessageBoxLayout layout;
};

LPCSTR SystemIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError: return IDI_HAND;
    case MessageIcon::kExclamation: return IDI_EXCLAMATION;
    case MessageIcon::kInformation: return IDI_ASTERISK;
    case MessageIcon::kQuestion: return IDI_QUESTION;
    default: return nullptr;
  }
}

// Icon bits and the sounds that go with them.
UINT SoundOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError: return MB_ICONHAND;
    case MessageIcon::kExclamation: return MB_ICONASTERISK;
    case MessageIcon::kInformation: return MB_ICONEXCLAMATION;
    case MessageIcon::kQuestion: return MB_ICONQUESTION;
    default: return 0;
  }
}

SIZE MeasureText(HWND control, HFONT font, const std::string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{rect.right, rect.bottom};
}

HFONT DialogFont(HWND dialog) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::string JoinRest(const std::vector<std::string>& lines, std::size_t from) {
  std::string rest;
  for (std::size_t i = from; i < lines.size(); ++i) rest += (i > from ? "\n" : "") + lines[i];
  return rest;
}

void LayOut(HWND dialog, const MessageRequest& request) {
  const std::vector<std::string> lines = SplitLines(request.text);
  // One or two lines: centred beside the icon together; more: the first line above the rest.
  const std::string first = lines.size() > 2 ? lines[0] : JoinRest(lines, 0);
  const std::string rest = lines.size() > 2 ? JoinRest(lines, 1) : std::string();
  HWND firstControl = GetDlgItem(dialog, kMessageFirstLine);
  HWND restControl = GetDlgItem(dialog, kMessageRest);
  HFONT normal = DialogFont(dialog);
  HFONT firstFont = (request.style & kMbBoldFirstLine) && App().fonts.semibold != nullptr ? App().fonts.semibold : normal;
  SendMessageA(firstControl, WM_SETFONT, reinterpret_cast<WPARAM>(firstFont), FALSE);
  SetWindowTextA(firstControl, first.c_str());
  SetWindowTextA(restControl, rest.c_str());
  const SIZE firstSize = MeasureText(firstControl, firstFont, first);
  const SIZE restSize = rest.empty() ? SIZE{0, 0} : MeasureText(restControl, normal, rest);

  const bool hasIcon = request.layout.icon != MessageIcon::kNone;
  const int textLeft = hasIcon ? kMargin * 2 + kIconSize : kMargin;
  const int textWidth = std::max<int>({kMinTextWidth, firstSize.cx, restSize.cx});
  const int textHeight = firstSize.cy + (rest.empty() ? 0 : kButtonGap + restSize.cy);
  const int blockHeight = std::max(textHeight, hasIcon ? kIconSize : 0);
  const int textTop = kMargin + (blockHeight - textHeight) / 2;
  MoveWindow(firstControl, textLeft, textTop, textWidth, firstSize.cy, FALSE);
  MoveWindow(restControl, textLeft, textTop + firstSize.cy + kButtonGap, textWidth, restSize.cy, FALSE);
  ShowWindow(restControl, rest.empty() ? SW_HIDE : SW_SHOW);
  HWND icon = GetDlgItem(dialog, kMessageIcon);
  if (hasIcon) {
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, SystemIcon(request.layout.icon))), 0);
    MoveWindow(icon, kMargin, kMargin, kIconSize, kIconSize, FALSE);
  }
  ShowWindow(icon, hasIcon ? SW_SHOW : SW_HIDE);

  const int buttonCount = static_cast<int>(request.layout.buttons.size());
  const int buttonsWidth = buttonCount * kButtonWidth + (buttonCount - 1) * kButtonGap;
  const int clientWidth = std::max(textLeft + textWidth + kMargin, buttonsWidth + 2 * kMargin);
  const int buttonTop = kMargin + blockHeight + kMargin;
  const int clientHeight = buttonTop + kButtonHeight + kMargin;
  for (int id : kAllButtons) ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
  int x = (clientWidth - buttonsWidth) / 2;
  for (const MessageButton& button : request.layout.buttons) {
    HWND control = GetDlgItem(dialog, button.id);
    SetWindowTextA(control, Text(kTextButtons, button.captionIndex));
    MoveWindow(control, x, buttonTop, kButtonWidth, kButtonHeight, FALSE);
    ShowWindow(control, SW_SHOW);
    x += kButtonWidth + kButtonGap;
  }
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK MessageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* request = reinterpret_cast<const MessageRequest*>(lParam);
    SetWindowTextA(dialog, request->title);
    if (request->style & kMbClassIcon2) {
      SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(App().instance, MAKEINTRESOURCEA(2))));
    }
    LayOut(dialog, *request);
    PrepareDialog(dialog);
    HWND defaultButton = GetDlgItem(dialog, request->layout.defaultButton);
    SendMessageA(dialog, DM_SETDEFID, request->layout.defaultButton, 0);
    SetFocus(defaultButton);
    SetForegroundWindow(dialog);
    return FALSE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    for (int known : kAllButtons) {
      if (id == known && IsWindowVisible(GetDlgItem(dialog, id))) EndDialog(dialog, id);
    }
    return TRUE;
  }
  if (message == WM_CLOSE) {
    // The close box counts as Cancel where there is one, else as the only answer.
    EndDialog(dialog, IsWindowVisible(GetDlgItem(dialog, kIdCancel)) ? kIdCancel : kIdOk);
    return TRUE;
  }
  return FALSE;
}

HWND FrontOwner(HWND owner) {
  if (owner == nullptr) {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground != nullptr && GetWindowThreadProcessId(foreground, &process) &&
        process == GetCurrentProcessId()) {
      owner = foreground;
    }
  }
  if (owner != nullptr && IsIconic(owner)) ShowWindow(owner, SW_RESTORE);
  return owner;
}

}  // namespace

int LwfMessageBox(HWND owner, const char* title, const char* format, std::uint32_t style,
                  int focusControl, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, focusControl);
  std::vsnprintf(text, sizeof text, format == nullptr ? "" : format, arguments);
  va_end(arguments);

  HWND previousFocus = GetFocus();
  owner = FrontOwner(owner);
  MessageRequest request{title != nullptr ? title : App().productName, text, style,
                         DecodeMessageBoxStyle(style)};
  if (const UINT sound = SoundOf(request.layout.icon)) MessageBeep(sound);
  const INT_PTR result = RunDialog(owner, kMessageDialog, MessageProc, reinterpret_cast<LPARAM>(&request));

  HWND focus = (owner != nullptr && focusControl != 0) ? GetDlgItem(owner, focusControl) : nullptr;
  if (focus != nullptr) {
    SetFocus(focus);
    SendMessageA(focus, EM_SETSEL, 0, -1);
  } else if (previousFocus != nullptr && IsWindow(previousFocus)) {
    SetFocus(previousFocus);
  }
  return static_cast<int>(result);
}

}  // namespace lwf
