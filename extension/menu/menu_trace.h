// A switch for tests: with the environment variable QUILLO_TRACE naming a file, menu and thread
// events are appended to it, one line each, so that a failing scenario explains itself. Off
// (and free) otherwise.
#pragma once

namespace quillo {

void MenuTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A real (UTF-16) name or path in UTF-8 for a trace line ("%s" of text), cut to its buffer.
struct TraceText {
  explicit TraceText(const wchar_t* real);
  char text[1040];
};

}  // namespace quillo
