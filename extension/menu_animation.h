// The system's menu animation is switched off while the extension's menus are up, so that its
// cascades appear at once. Every invocation that switched it off switches it back: the menu
// teardown, and every Initialize or QueryContextMenu that ends without a menu of ours.
#pragma once

#include "extension_state.h"

namespace quillo {

// Turns animation off (for this session only, not written to the profile) when it is on, and
// remembers that it was. The remembered flag is cleared only by the restore.
void SuspendMenuAnimation(ExtensionState& state);

// Turns animation back on when a suspension turned it off; nothing otherwise.
void RestoreMenuAnimation(ExtensionState& state);

}  // namespace quillo
