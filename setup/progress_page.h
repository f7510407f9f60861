// The private messages the script worker sends to the progress page (110, 115).
#pragma once

#include <windows.h>

namespace quillo::setup {

enum SetupPageMessage : UINT {
  SETUPMSG_STATUS = WM_APP + 1,    // wParam 0 status line, 1 detail area; lParam the text
  SETUPMSG_PROGRESS = WM_APP + 2,  // wParam the percentage
  SETUPMSG_DONE = WM_APP + 3,      // the phase has ended
  SETUPMSG_ERROR = WM_APP + 4,     // show the current code's message; the result is the answer
};

}  // namespace quillo::setup
