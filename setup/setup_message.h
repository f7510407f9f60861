// Setup's message boxes and string-table texts, expanded with the script variables.
#pragma once

#include <windows.h>

#include <string>

namespace quillo::setup {

// String table text (loaded into 1,024 characters), expanded.
std::string SetupString(int id);

// The expanded text of the message for a SetupErrorCode.
std::string MessageTextForCode(int code);

// Message box with the expanded text, the expanded #SETUPMODE# as caption, the owner brought to
// the foreground. Returns the answer.
int ShowSetupMessage(HWND owner, const char* text, UINT type);

// A string-table message.
int ShowStringMessage(HWND owner, int id, UINT type);

// A string-table message expanded now and shown later: while the script runs on its worker
// thread, which may change the variables, the UI thread must not read them.
struct ExpandedMessage {
  std::string text;
  std::string caption;
};
ExpandedMessage ExpandStringMessage(int id);
int ShowExpandedMessage(HWND owner, const ExpandedMessage& message, UINT type);

// The message of a SetupErrorCode with its buttons.
int ShowCodeMessage(HWND owner, int code);

}  // namespace quillo::setup
