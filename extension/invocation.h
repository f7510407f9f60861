// Initialize: refreshes the process-wide state and captures what the menu starts from.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "extension_state.h"

namespace quillo {

// Context mode (pidlFolder null): the first selected object, with the Start Menu folder replaced
// by the configured starting point. Drag mode: the drop target and the names of the dragged
// objects, or staying out when any of them is not a file-system object. S_OK in all handled
// cases; the data object's error when it has no "Shell IDList Array".
HRESULT InitializeInvocation(ExtensionState& state, LPCITEMIDLIST pidlFolder, IDataObject* data);

}  // namespace quillo
