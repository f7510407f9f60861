// SubmenuWorker: one thread per menu level that finishes what the menu thread leaves open once
// the level is shown: which entries have children (the "?" marker, the cascade arrow). It walks
// exactly the items FillLevel inserted and stops within one entry when the level's workerAbort
// or the listing's cancel is set.
#pragma once

#include "menu_level.h"

namespace quillo {

// Starts the level's worker; it takes one use of the listing and posts Quillo_CursorMsg
// (wParam 0) to the menu owner window when it ends. When the thread cannot be started the
// cursor message is posted at once.
void StartWorker(MenuLevel& level);

}  // namespace quillo
