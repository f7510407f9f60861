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

}  // namespace quillo
