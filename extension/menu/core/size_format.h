// The texts of sizes: the size column of the menus in the configured units, the detailed form of
// the tool tip, and the number formatting both share. Digits are grouped with "." and fractions
// written with "," whatever the user's locale. No shared state: safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

// MenuEntry::size before its scan started.
constexpr std::uint64_t kSizeUnknown = ~std::uint64_t{0};

// sizeUnits of the options.
enum SizeUnits { kSizeUnitsKB = 0, kSizeUnitsMB = 1, kSizeUnitsGB = 2, kSizeUnitsAdaptive = 3 };

// The value in decimal with "." before every group of three digits from the right
// (1234567 -> "1.234.567"), cut to the buffer. Returns buffer.
char* GroupDigits(std::uint64_t value, char* buffer, std::size_t capacity);

// At most four characters of the value printed with six decimals, truncated rather than
// rounded to what fits, a trailing "." dropped and the decimal point written ","
// (1.5 -> "1,50", 12.25 -> "12,2", 123.9 -> "123", 1023.9 -> "1023").
constexpr std::size_t kFractionSize = 5;
void FormatFraction(double value, char (&buffer)[kFractionSize]);

// The size column: "..." while unknown; whole KB (a non-empty size is at least 1 KB), MB or GB
// with grouped digits; adaptive: bytes below 1 KB as a bare number, else KB, MB or GB with a
// fraction. Units outside 0..3 give an empty text.
void FormatSizeColumn(std::uint64_t size, int sizeUnits, char* buffer, std::size_t capacity);

// The tool tip's form: "512 bytes", "1,50 KB (1.536 bytes)", "5,00 GB (5.368.709.120 bytes)".
void FormatSizeDetail(std::uint64_t size, char* buffer, std::size_t capacity);

}  // namespace quillo
