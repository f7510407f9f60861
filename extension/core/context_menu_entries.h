// Which entries the extension puts into Explorer's context menu, and when it stays out.
#pragma once

#include <cstdint>

#include "menu/core/item_id.h"

namespace quillo {

enum InvocationModeValue : std::int32_t {
  kStayOut = -1,
  kContextMode = 0,
  kDragMode = 1,
};

// The context-menu flags the rules read (values of the shell's CMF_ constants).
constexpr std::uint32_t kCmfDefaultOnly = 0x1;
constexpr std::uint32_t kCmfVerbsOnly = 0x2;
constexpr std::uint32_t kCmfExplore = 0x4;

struct MenuRequest {
  bool busy;
  std::int32_t invocationMode;
  bool windowsKeyDown;
  std::uint32_t flags;
  std::uint32_t indexMenu;
};

// True when nothing is to be inserted.
bool StaysOutOfMenu(const MenuRequest& request);

// Item data that marks the extension's own entries in Explorer's menu.
std::uint32_t RootItemDataFor(std::uint32_t idCmdFirst);

struct EntryPlan {
  const char* text;  // with the "\t>>>" suffix when the sub open area is on
  bool hasPopup;     // an empty popup and the root bitmap
};

// Up to three entries, in insertion order from indexMenu. "Move To Parent" comes last and only
// with dragMoveToParent; whether it is enabled is decided by the caller.
struct EntryPlanList {
  EntryPlan entries[3];
  int count;
};

EntryPlanList PlanEntries(std::int32_t invocationMode, bool subOpenArea, bool dragMoveToParent);

}  // namespace quillo
