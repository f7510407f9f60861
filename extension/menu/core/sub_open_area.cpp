#include "sub_open_area.h"

namespace quillo {

Rect SubOpenAreaRect(const Rect& entry, int subOpenAreaWidth) {
  return Rect{entry.right - subOpenAreaWidth, entry.top, entry.right, entry.bottom};
}

bool LeftOfSubOpenArea(Point cursor, const Rect& selectedItemRect, int subOpenAreaWidth) {
  return cursor.x < selectedItemRect.right - subOpenAreaWidth;
}

bool SubmenuHeldBack(bool subOpenArea, bool selectedByMouse, Point cursor,
                     const Rect& selectedItemRect, int subOpenAreaWidth) {
  return subOpenArea && selectedByMouse && selectedItemRect.Contains(cursor) &&
         LeftOfSubOpenArea(cursor, selectedItemRect, subOpenAreaWidth);
}

bool PaintsSubOpenArea(bool subOpenArea, int childState, bool selected,
                       bool customUnselectedColor) {
  return subOpenArea && childState > 0 && (selected || customUnselectedColor);
}

}  // namespace quillo
