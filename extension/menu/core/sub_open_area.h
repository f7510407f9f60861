// The sub open area: with subOpenArea on, an entry's submenu opens only from a strip of
// subOpenAreaWidth pixels at the entry's right edge, painted in its own colour.
#pragma once

#include "screen_geometry.h"

namespace quillo {

// The strip of an entry's rectangle that opens its submenu.
Rect SubOpenAreaRect(const Rect& entry, int subOpenAreaWidth);

// The cursor is left of the open area of the selected entry (anywhere above or below counts).
bool LeftOfSubOpenArea(Point cursor, const Rect& selectedItemRect, int subOpenAreaWidth);

// OpenLevel leaves the popup empty when the mouse highlighted the entry and the cursor rests on
// the entry outside its open area.
bool SubmenuHeldBack(bool subOpenArea, bool selectedByMouse, Point cursor,
                     const Rect& selectedItemRect, int subOpenAreaWidth);

// The strip is painted on entries known to cascade: always when selected, when unselected only
// with a custom unselected colour.
bool PaintsSubOpenArea(bool subOpenArea, int childState, bool selected,
                       bool customUnselectedColor);

}  // namespace quillo
