#include "list_box.h"

namespace quillo {

// The wide form is asked for: Wine turns an ANSI LB_GETTEXT into a wide one through a stack
// buffer of 512 characters, which a longer line overruns.
std::string ListBoxText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return "";
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  if (SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data())) == LB_ERR) return "";
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(size) - 1);
  return text;
}

std::vector<std::string> ListBoxTexts(HWND list) {
  std::vector<std::string> texts;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) texts.push_back(ListBoxText(list, i));
  return texts;
}

int ListBoxSelection(HWND list) {
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void FitHorizontalExtent(HWND list) {
  HDC dc = GetDC(list);
  if (dc == nullptr) return;
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string& text : ListBoxTexts(list)) {
    SIZE size{};
    if (GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size) && size.cx > widest) {
      widest = size.cx;
    }
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 2, 0);
}

}  // namespace quillo
