#include "view_option.h"

#include <windows.h>

#include "data_file.h"
#include "extension_state.h"
#include "menu_trace.h"

namespace quillo {

void ToggleViewOption(ViewOption which) {
  ExtensionState& state = State();
  if (ApplyViewOptionToggle(state.Options, which)) state.Listings.Invalidate();
  // Left closes the submenu the user is in; the menu window presses Right at the next idle
  // moment, which opens that submenu again, built afresh.
  keybd_event(VK_LEFT, 0, 0, 0);
  keybd_event(VK_LEFT, 0, KEYEVENTF_KEYUP, 0);
  state.ReopenOnIdle = 1;
  const std::size_t written = WriteDataFile(state.Folders.dataFolder, "Options", kNoIndex,
                                            &state.Options, sizeof state.Options);
  MenuTrace("toggle option=%d hidden=%d protected=%d sizes=%d units=%d saved=%d", static_cast<int>(which),
            state.Options.includeHidden, state.Options.includeSuperHidden, state.Options.sizeInfoShown,
            state.Options.sizeUnits, static_cast<int>(written));
}

}  // namespace quillo
