// A switch for tests: with the environment variable QUILLO_TRACE naming a file, menu and thread
// events are appended to it, one line each, so that a failing scenario explains itself. Off
// (and free) otherwise.
//
// Events that happen once per entry (filled, probed, sized, drawn) go through MenuTraceEntry.
// With QUILLO_TRACE_ENTRIES=0 as well they are left out, so that a timed run records only the
// levels' start and end and what happens once per level: opening and closing the trace file
// for every entry would otherwise dominate the time it measures.
#pragma once

namespace quillo {

void MenuTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void MenuTraceEntry(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A real (UTF-16) name or path in UTF-8 for a trace line ("%s" of text), cut to its buffer.
struct TraceText {
  explicit TraceText(const wchar_t* real);
  char text[1040];
};

}  // namespace quillo
