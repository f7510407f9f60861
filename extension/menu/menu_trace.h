// A switch for tests: with the environment variable QUILLO_TRACE naming a file, menu and thread
// events are appended to it, one line each, so that a failing scenario explains itself. Off
// (and free) otherwise.
#pragma once

namespace quillo {

void MenuTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace quillo
