#include "context_menu_entries.h"

namespace quillo {

bool StaysOutOfMenu(const MenuRequest& r) {
  if (r.busy || r.invocationMode == kStayOut || r.windowsKeyDown) return true;
  if (r.flags == 0 && r.indexMenu == 0 && r.invocationMode == kContextMode) return true;
  if (r.flags & kCmfDefaultOnly) return true;
  return (r.flags & 0xF) != 0 && (r.flags & (kCmfVerbsOnly | kCmfExplore)) == 0;
}

std::uint32_t RootItemDataFor(std::uint32_t idCmdFirst) {
  return kRootItemIdBase | (idCmdFirst & 0xFFFFu);
}

EntryPlanList PlanEntries(std::int32_t invocationMode, bool subOpenArea, bool dragMoveToParent) {
  EntryPlanList plan{};
  if (invocationMode == kContextMode) {
    plan.entries[plan.count++] = {subOpenArea ? "Quillo\t>>>" : "Quillo", true};
    return plan;
  }
  plan.entries[plan.count++] = {subOpenArea ? "Move To Folder\t>>>" : "Move To Folder", true};
  plan.entries[plan.count++] = {subOpenArea ? "Copy To Folder\t>>>" : "Copy To Folder", true};
  if (dragMoveToParent) plan.entries[plan.count++] = {"Move To Parent", false};
  return plan;
}

}  // namespace quillo
