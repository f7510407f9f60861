// Where and how large the tool-tip window is, and when hovering shows it: the arithmetic of the
// tool tip, apart from the window that applies it.
#pragma once

#include <span>

#include "screen_geometry.h"

namespace quillo {

struct ToolTipSize {
  int width = 0;
  int height = 0;
};

// The window's size from the right edges of the lines it shows (measured from the text origin
// 3 pixels in): the widest + 8, and per line TextHeight + 2 with 2 extra pixels after every
// second line, plus 5.
ToolTipSize ToolTipSizeFor(std::span<const int> lineRights, int textHeight);

// The window's top-left corner: 17 pixels below the cursor, or above it when it would leave the
// desktop at the bottom; left of the cursor when a deeper menu is open to the right (placeLeft),
// and never beyond the desktop's right edge.
Point ToolTipPosition(Point cursor, ToolTipSize size, bool placeLeft, const Rect& desktop);

// One tick of the hover timer while the extension's menus are active.
struct HoverInput {
  bool cursorInSelection = false;   // the cursor is inside SelectedItemRect
  bool leftOfSubOpenArea = false;   // subOpenArea is on and the cursor is left of its strip
  bool nothingHighlighted = false;  // HighlightedItemId is -1
  int toolTipSpeed = 0;             // ticks of 100 ms before the tip shows
};

enum class HoverAction { kNone, kShow, kHide };

// Counts the tick in `ticks` when the cursor rests on the selected entry (outside a held-back
// open area); on the toolTipSpeed-th tick the tip is shown, or hidden with the count reset when
// nothing is highlighted.
HoverAction HoverTick(const HoverInput& in, int& ticks);

}  // namespace quillo
