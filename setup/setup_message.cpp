#include "setup_message.h"

#include <cstdio>

#include "setup_error_code.h"
#include "setup_state.h"

namespace quillo::setup {
namespace {

constexpr std::size_t kMessageSize = 1024;

std::string Expanded(const char* text) {
  char buffer[kMessageSize];
  std::snprintf(buffer, sizeof buffer, "%s", text);
  ExpandVariables(Setup().variables, buffer, sizeof buffer);
  return buffer;
}

std::string RawString(int id) {
  char text[kMessageSize] = "";
  LoadStringA(Setup().instance, static_cast<UINT>(id), text, sizeof text);
  return text;
}

}  // namespace

std::string SetupString(int id) { return Expanded(RawString(id).c_str()); }

std::string MessageTextForCode(int code) { return SetupString(MessageForCode(code).stringId); }

int ShowSetupMessage(HWND owner, const char* text, UINT type) {
  return ShowExpandedMessage(owner, {Expanded(text), Expanded("#SETUPMODE#")}, type);
}

int ShowStringMessage(HWND owner, int id, UINT type) {
  return ShowSetupMessage(owner, RawString(id).c_str(), type);
}

ExpandedMessage ExpandStringMessage(int id) { return {SetupString(id), Expanded("#SETUPMODE#")}; }

int ShowExpandedMessage(HWND owner, const ExpandedMessage& message, UINT type) {
  if (owner) SetForegroundWindow(owner);
  return MessageBoxA(owner, message.text.c_str(), message.caption.c_str(), type);
}

int ShowCodeMessage(HWND owner, int code) {
  const SetupMessage message = MessageForCode(code);
  return ShowStringMessage(owner, message.stringId, message.buttons);
}

}  // namespace quillo::setup
