// Tracking of the highlighted entry (WM_MENUSELECT) and the busy cursor: the decisions that are
// plain data.
#pragma once

#include <cstdint>

#include "screen_geometry.h"

namespace quillo {

// WM_MENUSELECT with no menu and the flags word 0xFFFF: the menu loop is ending.
bool MenuLoopClosing(bool menuIsNull, std::uint32_t flagsWord);

// The drag-and-drop InvocationMode named by the highlighted root entry's text: 1 "Copy To
// Folder", 2 "Move To Folder", 3 "Move To Parent" (the first 14 characters decide, so the
// "\t>>>" suffix does not matter); any other text keeps `current`. Null text keeps `current`.
int DragModeFromEntryText(const char* text, int current);

// An entry whose children are still unknown (-1) gets an empty submenu when highlighted, so that
// it cascades at once; its childState becomes -2 (probe pending, submenu attached).
constexpr int kChildStateAttached = -2;
bool AttachesSubmenuOnHighlight(int childState);

// The cursor has left the entry that was selected (SelectedItemRect). A keyboard selection uses
// the whole desktop as its rectangle, so it is never left.
bool CursorLeftSelection(Point cursor, const Rect& selectedItemRect);

// What WM_MENUSELECT tells about a new highlight, and where the cursor is.
struct SelectionInput {
  bool mouseSelectFlag = false;  // MF_MOUSESELECT
  bool itemRectKnown = false;
  Rect item;                     // the highlighted entry on screen
  Point cursor;
  Rect desktop;
  // Wine never sets MF_MOUSESELECT. Only there does a highlight under the resting cursor count
  // as the mouse's; where the flag is reported it decides alone.
  bool underWine = false;
};

struct Selection {
  bool byMouse = false;
  Rect rect;  // SelectedItemRect: the entry for the mouse, the whole desktop for the keyboard
};

Selection SelectionFor(const SelectionInput& in);

enum class BusyCursor { kUnchanged, kAppStarting, kArrow };

// Quillo_CursorMsg: wParam 1 raises BusyCursorCount, any other value lowers it; the cursor shown
// changes when the count reaches 1 (busy) or 0 (idle).
int NextBusyCursorCount(int count, std::uintptr_t wParam);
BusyCursor BusyCursorFor(int count);

}  // namespace quillo
