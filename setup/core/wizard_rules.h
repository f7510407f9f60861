// The decisions of the setup wizard's pages that need no window: which folder texts count as
// absolute, whether a drive has room, what an answer to an error message means, and how texts
// are made fit for multi-line controls.
#pragma once

#include <cstdint>
#include <string>

namespace quillo::setup {

// "X:" or "X:\..." with a drive letter, or a network path "\\server\...".
bool IsAbsoluteFolderPath(const char* path);

// Whether `freeBytes` reach the minimum of `minFreeMb` megabytes (1,048,576 bytes each); a
// minimum of 0 or less always fits.
bool HasEnoughFreeSpace(std::uint64_t freeBytes, int minFreeMb);

enum class ErrorOutcome {
  kContinue,  // the code is cleared and the script goes on with the next line
  kRetry,     // the same line runs again
  kEndSetup,  // phase 3 runs and Setup quits
};

// What the progress page does with the answer to the message of a failed command. The Task
// Scheduler failure (33) only informs: the installation goes on whatever the answer.
ErrorOutcome OutcomeOfErrorAnswer(int code, int answer);

// Line breaks for a multi-line control: every line feed not preceded by a carriage return
// becomes CR LF, and so does every backslash followed by "n" when `backslashN` is set.
std::string WithControlLineBreaks(const std::string& text, bool backslashN);

}  // namespace quillo::setup
