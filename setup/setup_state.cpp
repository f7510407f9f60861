#include "setup_state.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quillo::setup {

SetupState& Setup() {
  static SetupState state;
  return state;
}

void ShowStatus(StatusArea area, const char* text) {
  SetupProgress* progress = Setup().progress.load();
  if (progress == nullptr) return;
  char buffer[kArgumentSize];
  std::snprintf(buffer, sizeof buffer, "%s", text);
  progress->ShowStatus(area, buffer);
}

void ShowStatusFormat(StatusArea area, const char* format, const char* argument) {
  char buffer[kArgumentSize];
  std::snprintf(buffer, sizeof buffer, format, argument);
  ShowStatus(area, buffer);
}

void ExpandInto(const char* text, char (&out)[kVariableValueSize]) {
  std::snprintf(out, sizeof out, "%s", text);
  ExpandVariables(Setup().variables, out, sizeof out);
}

bool FormatPath(char* out, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(out, size, format, args);
  va_end(args);
  if (written < 0 || static_cast<std::size_t>(written) >= size) {
    if (size > 0) out[0] = '\0';
    return false;
  }
  return true;
}

void TrimTrailingBackslashes(char* path) {
  std::size_t length = std::strlen(path);
  while (length > 0 && path[length - 1] == '\\') path[--length] = '\0';
}

}  // namespace quillo::setup
