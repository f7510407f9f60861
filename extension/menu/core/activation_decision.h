// What an activation of the highlighted entry does, and what the action thread does around the
// opening: the decisions that are plain data.
#pragma once

#include "item_id.h"

namespace quillo {

enum class ActivationAction {
  kNothing,          // nothing to act on
  kMoveToParent,     // ActionIdList = a copy of TargetIdList, start the ActionThread
  kOptionsLauncher,  // the root entry was clicked: open the options program
  kOpenEntry,        // act on the highlighted entry (ActionIdList = a copy of its idList)
};

struct ActivationInput {
  ItemId highlightedItemId = kNoItemId;
  int invocationMode = 0;
  bool moveToParentEnabled = false;
  bool entryHasIdList = false;  // the highlighted entry exists and has an idList
  bool entryIsDesktop = false;  // its idList is the empty list
};

ActivationAction DecideActivation(const ActivationInput& in);

// CloseMenus leaves the menus open only for Ctrl in context-menu mode, so that several items
// can be opened one after another.
bool MenusStayOpen(bool ctrlAtActivation, int invocationMode);

// The action thread opens the item in context-menu mode, and after a drop when dragOpenTarget is
// on or Ctrl was held.
bool OpensItem(int invocationMode, bool dragOpenTarget, bool ctrlAtActivation);

// The opened item goes to the recent list unless recent items are off or it was a "Move To
// Parent" drop.
bool FeedsRecentList(int recentEnabled, int invocationMode);

// The invoking window is a dialog box (a common file dialog): it is handed the path instead.
bool IsDialogClassName(const char* className);

}  // namespace quillo
