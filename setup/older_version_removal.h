// Finding an installed older version of the product and running its uninstaller.
#pragma once

#include "older_version.h"

namespace quillo::setup {

// Reads #UPGMSG1#, #REMOVE# and #REMAPP# (set to #PROGRAM# when undefined), looks for the
// product's uninstall key and setup information, and replaces #UPGMSG1# by its message text.
OlderVersionDecision DetectOlderVersion();

// Runs the "UninstallString" of #REMAPP# and waits for it and for its temporary copy to end.
// The exit code; -1 when the key or value is missing; -2 when it could not be started.
int RemoveOlderVersion();

}  // namespace quillo::setup
