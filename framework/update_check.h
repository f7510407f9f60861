// The update check: one thread at a time downloads the version file, compares it with the
// program's version and reports in the update dialog (resource 50101); the automatic trigger
// runs it about once a day unless the user switched it off.
#pragma once

#include <windows.h>

#include "core/update_check_state.h"

namespace lwf {

enum UpdateStartResult : int { kCheckStarted = 0, kCheckNotStarted = 3 };

// "(LWF)UpdateCheck", zeroed when missing or short.
UpdateCheckState ReadUpdateCheckState();
void WriteUpdateCheckState(const UpdateCheckState& state);

// Starts a check that reports to the dialog (none: an automatic check, which opens its own
// announcement). A check still running is cut off first: it stops and reports nothing more.
int StartUpdateCheck(HWND dialog);

// At start and every 24th hour: starts a check when one is due.
void AutomaticUpdateCheck();

// The update dialog run modally for a manual check, owned by owner.
void RunManualUpdateCheck(HWND owner);

// At teardown: aborts a running check, closes its dialog and waits (up to 3 s) for every check
// thread to end.
void StopUpdateCheck();

}  // namespace lwf
