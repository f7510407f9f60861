#include "activation_decision.h"

#include <cstring>

#include "drop_operation.h"

namespace quillo {

ActivationAction DecideActivation(const ActivationInput& in) {
  if (ItemIdLevel(in.highlightedItemId) < 0) {
    if (in.invocationMode == kMoveToParentMode) {
      return in.moveToParentEnabled ? ActivationAction::kMoveToParent : ActivationAction::kNothing;
    }
    return ActivationAction::kOptionsLauncher;
  }
  if (!in.entryHasIdList) return ActivationAction::kNothing;
  if (in.entryIsDesktop && in.invocationMode <= 0) return ActivationAction::kNothing;
  return ActivationAction::kOpenEntry;
}

bool MenusStayOpen(bool ctrlAtActivation, int invocationMode) {
  return ctrlAtActivation && invocationMode <= 0;
}

bool OpensItem(int invocationMode, bool dragOpenTarget, bool ctrlAtActivation) {
  return invocationMode <= 0 || dragOpenTarget || ctrlAtActivation;
}

bool FeedsRecentList(int recentEnabled, int invocationMode) {
  return recentEnabled > 0 && invocationMode != kMoveToParentMode;
}

bool IsDialogClassName(const char* className) {
  return className != nullptr && std::strcmp(className, "#32770") == 0;
}

}  // namespace quillo
