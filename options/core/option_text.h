// Conversions between option fields and the texts the options dialog shows.
#pragma once

#include <cstddef>
#include <optional>

namespace quillo {

constexpr std::size_t kDialogTextSize = 1040;

// An extension list (zero-terminated items ended by an empty item, at most listSize bytes) as
// text: the items joined with ", ". A separator is written only while at least 4 bytes of room
// remain; the text is cut to outSize.
void ExtensionListToText(const char* list, std::size_t listSize, char* out, std::size_t outSize);

// Text back into an extension list of listSize bytes: "*." pairs are dropped, runs of blanks and
// commas separate items, scanning stops when fewer than 4 bytes of room remain. Returns the
// wildcard flag: whether any copied character was '*'.
bool TextToExtensionList(const char* text, char* list, std::size_t listSize);

// The label under the delay trackbar: the delay rounded half up to tenths of a second,
// "0.5 seconds", "1 second", "0 seconds".
void FormatDelayLabel(int milliseconds, char* out, std::size_t outSize);

// Bounds a and b (swapped when a > b): below a gives a, above b gives b.
int Clamp(int value, int a, int b);

// A number read as "%d" reads it: leading blanks, optional sign, digits. Empty when the text does
// not start with a number.
std::optional<int> ParseNumber(const char* text);

}  // namespace quillo
