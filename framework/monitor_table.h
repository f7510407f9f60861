// The monitor table of LwfApp (up to 16 rectangles) and following display changes.
#pragma once

namespace lwf {

// Fills App().monitors from EnumDisplayMonitors (loaded at run time), or the desktop rectangle.
void ReadMonitorTable();

// Re-reads the table and moves and resizes every shown framework window in proportion to its
// monitor's new size.
void FollowDisplayChange();

}  // namespace lwf
