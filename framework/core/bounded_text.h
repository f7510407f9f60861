// Copies into fixed buffers, always terminated and cut to the buffer.
#pragma once

#include <cstddef>

namespace lwf {

// Copies text (null counts as "") into out, cut to outSize - 1 characters.
void CopyText(char* out, std::size_t outSize, const char* text);

// Appends text to the text in out, cut to the buffer.
void AppendText(char* out, std::size_t outSize, const char* text);

}  // namespace lwf
