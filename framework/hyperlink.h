// The hyperlink control (window class "CHyperlinkWnd") that replaces a static of a dialog.
#pragma once

#include <windows.h>

namespace lwf {

// Replaces the static control staticId of dialog, at the same place and with the same id, by a
// link that opens target with the shell on a left click or the space bar. It shows the static's
// text (the target when that is empty) in blue, purple once used, with the target as tool tip.
// Null when the static is missing or the link cannot be created.
HWND AttachHyperlink(HWND dialog, int staticId, const char* target);

}  // namespace lwf
