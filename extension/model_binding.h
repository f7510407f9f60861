// The item model's view of the process-wide state: filled at every initialisation (which also
// loads the recent items and favourites) and brought up to date when a menu is about to open.
#pragma once

#include "extension_state.h"

namespace quillo {

// Points the model at the options, data folder, shell allocator, desktop folder and selection
// rectangle in effect, then loads the recent list and the favourites.
void PrepareItemModel(ExtensionState& state);

// Copies the values that change after initialisation: the invocation mode (the drag entries set
// 1, 2 or 3) and the rows per column of the monitor the menu opens on.
void SyncItemModel(ExtensionState& state);

}  // namespace quillo
