// Conversions between the system's rectangles and points and the menus' own.
#pragma once

#include <windows.h>

#include "menu/core/screen_geometry.h"

namespace quillo {

inline Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Point ToPoint(const POINT& p) { return Point{p.x, p.y}; }

}  // namespace quillo
