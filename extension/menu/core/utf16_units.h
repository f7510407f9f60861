// UTF-16 code units of the real (Unicode) names: a character beyond the Basic Multilingual
// Plane (an emoji, for example) takes two units, a surrogate pair, that must stay together.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

constexpr bool IsHighSurrogate(wchar_t unit) {
  return (static_cast<std::uint32_t>(unit) & 0xFFFFFC00u) == 0xD800u;
}

// The number of units of text[0, units) that end on a whole character: one less when the last
// unit is the first half of a surrogate pair.
constexpr std::size_t WholeCharacterUnits(const wchar_t* text, std::size_t units) {
  return units > 0 && IsHighSurrogate(text[units - 1]) ? units - 1 : units;
}

}  // namespace quillo
