#include "tool_tip_layout.h"

#include <algorithm>

namespace quillo {
namespace {

constexpr int kWidthMargin = 8;
constexpr int kLineGap = 2;
constexpr int kGroupGap = 2;
constexpr int kHeightMargin = 5;
constexpr int kBelowCursor = 17;
constexpr int kAboveCursor = 3;

}  // namespace

ToolTipSize ToolTipSizeFor(std::span<const int> lineRights, int textHeight) {
  const int n = static_cast<int>(lineRights.size());
  int widest = 0;
  for (int right : lineRights) widest = std::max(widest, right);
  return ToolTipSize{widest + kWidthMargin,
                     n * (textHeight + kLineGap) + kGroupGap * (n / 2) + kHeightMargin};
}

Point ToolTipPosition(Point cursor, ToolTipSize size, bool placeLeft, const Rect& desktop) {
  int x = cursor.x;
  if (placeLeft) {
    x = cursor.x - size.width;
    if (x < 0 && cursor.x > 0) x = 0;
  }
  if (x + size.width > desktop.right) x = desktop.right - size.width;
  int y = cursor.y + kBelowCursor;
  if (y + size.height > desktop.bottom) y = cursor.y - size.height - kAboveCursor;
  return Point{x, y};
}

HoverAction HoverTick(const HoverInput& in, int& ticks) {
  if (!in.cursorInSelection || in.leftOfSubOpenArea) return HoverAction::kNone;
  ++ticks;
  if (ticks != in.toolTipSpeed) return HoverAction::kNone;
  if (!in.nothingHighlighted) return HoverAction::kShow;
  ticks = 0;
  return HoverAction::kHide;
}

}  // namespace quillo
