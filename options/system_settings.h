// The Windows settings the options mirror: Explorer's "Hidden", "MenuShowDelay" and the command
// that opens files of unknown type.
#pragma once

#include <cstddef>

namespace quillo {

// Explorer's "Hidden" value (0 when missing); the Advanced key is created when missing.
unsigned ReadExplorerHidden();

// "MenuShowDelay" in milliseconds, 1000 when it cannot be read.
int ReadMenuShowDelay();
void WriteMenuShowDelay(int milliseconds);

// The default value of HKCR\Unknown\shell\open\command; "" when missing. False when the key
// cannot be opened.
bool ReadUnknownTypeCommand(char* out, std::size_t outSize);

// Deletes HKCR\Unknown\shell\open\command and ...\open, then, for a non-empty command, sets
// HKCR\Unknown\shell to "" and the command key to command.
void WriteUnknownTypeCommand(const char* command);

}  // namespace quillo
