// The decisions of OpenLevel, the handler of WM_INITMENUPOPUP for the extension's popups: which
// level the popup becomes and whether it is built, left empty or already open.
#pragma once

#include "item_id.h"

namespace quillo {

enum class OpenLevelAction {
  kLeaveEmpty,   // return 0 without building (held back by the sub open area, or a stale highlight)
  kAlreadyOpen,  // return 1: the level is open and visible, do not rebuild it
  kBuild,        // destroy levels levelCount-1 down to parent+1, append level parent+1, fill it
};

struct OpenLevelInput {
  ItemId highlightedItemId = kNoItemId;
  int levelCount = 0;
  bool nextLevelVisible = false;  // level parent+1 exists and its menu window is visible
  bool heldBySubOpenArea = false; // SubmenuHeldBack(...)
};

// The level of the highlighted entry (-1 for the root entry, for nothing and for any other
// negative level); the popup being opened becomes level parent + 1.
inline int ParentLevel(ItemId highlightedItemId) {
  const int level = ItemIdLevel(highlightedItemId);
  return level < 0 ? -1 : level;
}

// A highlight naming a level that no longer exists builds nothing (the new level would not be
// parent + 1, and the items' ItemIds would name the wrong level).
OpenLevelAction DecideOpenLevel(const OpenLevelInput& in);

}  // namespace quillo
