// LwfMessageBox: the framework's message dialog (resource 50100) driven by a style word.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/message_box_style.h"

namespace lwf {

// Resource ids of the message dialog.
enum MessageBoxIds : int {
  kMessageDialog = 50100,
  kMessageIcon = 50101,
  kMessageFirstLine = 50102,
  kMessageRest = 50103,
};

// Formats the text (up to 1024 bytes), shows it with the product name (or title) as caption and
// returns the pressed button's id (1 OK, 2 Cancel, 6 Yes, 7 No). Afterwards the owner's control
// focusControl (when non-zero) gets the focus with its text selected, else the focus returns.
int LwfMessageBox(HWND owner, const char* title, const char* format, std::uint32_t style,
                  int focusControl, ...);

}  // namespace lwf
