#include "open_level.h"

namespace quillo {

OpenLevelAction DecideOpenLevel(const OpenLevelInput& in) {
  if (in.heldBySubOpenArea) return OpenLevelAction::kLeaveEmpty;
  const int parent = ParentLevel(in.highlightedItemId);
  if (parent >= in.levelCount) return OpenLevelAction::kLeaveEmpty;
  if (parent + 1 < in.levelCount && in.nextLevelVisible) return OpenLevelAction::kAlreadyOpen;
  return OpenLevelAction::kBuild;
}

}  // namespace quillo
