#include "dialog_geometry.h"

#include <cstdlib>
#include <limits>

namespace lwf {

bool SitsOnGroupFrame(const Rect& check, const Rect& group) {
  const int height = check.Height();
  return std::abs(check.top - group.top) <= height / 2 && check.left >= group.left &&
         check.left <= group.left + 3 * height;
}

int CaptionBlankCount(int checkHeight, int blankWidth) {
  if (blankWidth <= 0) return 1;
  return (checkHeight + blankWidth - 1) / blankWidth + 1;
}

std::size_t ChooseMonitor(const Rect* monitors, std::size_t count, int x, int y) {
  for (std::size_t i = 0; i < count; ++i) {
    const Rect& m = monitors[i];
    if (x >= m.left && x < m.right && y >= m.top && y < m.bottom) return i;
  }
  std::size_t best = count;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < count; ++i) {
    const Rect& m = monitors[i];
    const int corners[4][2] = {{m.left, m.top}, {m.right, m.top}, {m.left, m.bottom}, {m.right, m.bottom}};
    for (const auto& corner : corners) {
      const long long dx = corner[0] - x, dy = corner[1] - y;
      if (dx * dx + dy * dy < bestDistance) {
        bestDistance = dx * dx + dy * dy;
        best = i;
      }
    }
  }
  return best;
}

Rect ClampIntoArea(const Rect& window, const Rect& area) {
  int left = window.left, top = window.top;
  if (left + window.Width() > area.right) left = area.right - window.Width();
  if (top + window.Height() > area.bottom) top = area.bottom - window.Height();
  if (left < area.left) left = area.left;
  if (top < area.top) top = area.top;
  return Rect{left, top, left + window.Width(), top + window.Height()};
}

Rect CenterOver(const Rect& window, const Rect& parent) {
  const int left = parent.left + (parent.Width() - window.Width()) / 2;
  const int top = parent.top + (parent.Height() - window.Height()) / 2;
  return Rect{left, top, left + window.Width(), top + window.Height()};
}

}  // namespace lwf
