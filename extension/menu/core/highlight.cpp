#include "highlight.h"

#include <cstring>

namespace quillo {

bool MenuLoopClosing(bool menuIsNull, std::uint32_t flagsWord) {
  return menuIsNull && flagsWord == 0xFFFF;
}

int DragModeFromEntryText(const char* text, int current) {
  struct Row {
    const char* prefix;
    int mode;
  };
  static constexpr Row kRows[] = {
      {"Copy To Folder", 1}, {"Move To Folder", 2}, {"Move To Parent", 3}};
  if (text == nullptr) return current;
  for (const Row& row : kRows) {
    if (std::strncmp(text, row.prefix, 14) == 0) return row.mode;
  }
  return current;
}

bool AttachesSubmenuOnHighlight(int childState) { return childState == -1; }

bool CursorLeftSelection(Point cursor, const Rect& selectedItemRect) {
  return !selectedItemRect.Contains(cursor);
}

Selection SelectionFor(const SelectionInput& in) {
  const bool cursorOnItem = in.itemRectKnown && in.item.Contains(in.cursor);
  if (in.mouseSelectFlag || (in.underWine && cursorOnItem)) return Selection{true, in.item};
  return Selection{false, in.desktop};
}

int NextBusyCursorCount(int count, std::uintptr_t wParam) {
  return wParam == 1 ? count + 1 : count - 1;
}

BusyCursor BusyCursorFor(int count) {
  if (count == 1) return BusyCursor::kAppStarting;
  if (count == 0) return BusyCursor::kArrow;
  return BusyCursor::kUnchanged;
}

}  // namespace quillo
