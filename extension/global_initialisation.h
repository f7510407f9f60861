// The refresh of the process-wide state that runs at every Initialize, so that options saved by
// the options program take effect at the next right-click.
#pragma once

#include "extension_state.h"

namespace quillo {

// Defaults, version code and folders; then (only when the setup information was found) the
// options file, fonts, bitmap, image list, messages, shell objects, metrics and special folders.
// Returns state.Installed: false when the setup information is missing or not 1326 bytes.
bool RunGlobalInitialisation(ExtensionState& state);

}  // namespace quillo
