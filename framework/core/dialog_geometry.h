// Geometry rules of the framework's dialog preparation and window placement, on plain rectangles.
#pragma once

#include <cstddef>

namespace lwf {

struct Rect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A check box sits on a group box's upper frame when its top edge lies within half its height of
// the group's top edge and its left edge lies between the group's left edge and three of its own
// heights further right. (The caller has found the group just left of the check box.)
bool SitsOnGroupFrame(const Rect& check, const Rect& group);

// Blanks put before the caption a group box takes over from its check box: as many as cover the
// check box's height, plus one.
int CaptionBlankCount(int checkHeight, int blankWidth);

// The monitor for a point: the first that contains it, else the one with the nearest corner.
// Returns count when there are no monitors.
std::size_t ChooseMonitor(const Rect* monitors, std::size_t count, int x, int y);

// Moves window into area as far as it fits (top-left wins when it is larger).
Rect ClampIntoArea(const Rect& window, const Rect& area);

// Centres window over parent.
Rect CenterOver(const Rect& window, const Rect& parent);

}  // namespace lwf
