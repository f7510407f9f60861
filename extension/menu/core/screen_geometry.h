// Points and rectangles in screen or client pixels, as the menus compute with them. A rectangle
// includes its left and top edges and excludes its right and bottom edges.
#pragma once

namespace quillo {

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

}  // namespace quillo
