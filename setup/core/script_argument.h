// Reading the comma-separated arguments of a script line (and of Setup's command line).
#pragma once

#include <cstddef>

namespace quillo::setup {

constexpr std::size_t kArgumentSize = 520;  // 519 characters and the terminator
constexpr int kMaxArguments = 5;

// Blank, tab, CR and LF.
bool IsScriptWhiteSpace(char c);

// Reads one argument starting at `at` and not beyond the line end (a CR or the terminator).
// Blanks, tabs and LFs are skipped first; at the line end there is no argument and false is
// returned. A value in double quotes runs to the closing quote (consumed) or the line end and may
// hold commas; any other value runs to the next comma or the line end, blanks at its end removed.
// Every "^" becomes a double quote. The value is cut to fit `out`. Afterwards white space and one
// comma are consumed; `at` is left at the next argument.
bool ReadArgument(const char*& at, char* out, std::size_t outSize);

// The arguments of one command: all buffers cleared, then up to `wanted` of them read.
struct ScriptArguments {
  char values[kMaxArguments][kArgumentSize];
  int count;

  void Read(const char* at, int wanted);
  const char* operator[](int i) const { return values[i]; }
};

}  // namespace quillo::setup
