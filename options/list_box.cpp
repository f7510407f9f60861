#include "list_box.h"

namespace quillo {

std::string ListBoxText(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
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
