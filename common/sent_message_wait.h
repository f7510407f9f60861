// Waiting on a thread that owns windows: messages other threads send to it are answered while
// it waits, so that a sender (Explorer's other windows, a worker's SendMessage) never hangs on it.
#pragma once

#include <windows.h>

namespace quillo {

// Waits up to ms milliseconds, returning early when a sent message arrives, and answers the
// messages sent meanwhile. Posted messages stay queued.
void WaitAnsweringSentMessages(DWORD ms);

}  // namespace quillo
