#include "size_format.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace quillo {
namespace {

constexpr std::uint64_t kKB = 1024;
constexpr std::uint64_t kMB = kKB * 1024;
constexpr std::uint64_t kGB = kMB * 1024;

// Digits of a 64-bit value with their separators: 20 digits, 6 dots, the terminator.
constexpr std::size_t kGroupedSize = 27;

struct ScaledUnit {
  std::uint64_t divisor;
  const char* name;
};

// The largest unit the size reaches (the size is at least 1 KB).
ScaledUnit UnitOf(std::uint64_t size) {
  if (size >= kGB) return {kGB, "GB"};
  if (size >= kMB) return {kMB, "MB"};
  return {kKB, "KB"};
}

void Fraction(std::uint64_t size, ScaledUnit unit, char (&out)[kFractionSize]) {
  FormatFraction(static_cast<double>(size) / static_cast<double>(unit.divisor), out);
}

}  // namespace

char* GroupDigits(std::uint64_t value, char* buffer, std::size_t capacity) {
  if (capacity == 0) return buffer;
  char digits[21];
  const int count = std::snprintf(digits, sizeof digits, "%" PRIu64, value);
  char grouped[kGroupedSize];
  std::size_t length = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) grouped[length++] = '.';
    grouped[length++] = digits[i];
  }
  grouped[length] = '\0';
  std::snprintf(buffer, capacity, "%s", grouped);
  return buffer;
}

void FormatFraction(double value, char (&buffer)[kFractionSize]) {
  // Any finite double prints in at most 309 digits, the point and six decimals.
  char printed[352];
  std::snprintf(printed, sizeof printed, "%f", value);
  printed[4] = '\0';
  if (printed[3] == '.') printed[3] = '\0';
  for (int i = 0; i < 3 && printed[i] != '\0'; ++i) {
    if (printed[i] == '.') printed[i] = ',';
  }
  std::memcpy(buffer, printed, kFractionSize);
}

void FormatSizeColumn(std::uint64_t size, int sizeUnits, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  buffer[0] = '\0';
  if (size == kSizeUnknown) {
    std::snprintf(buffer, capacity, "...");
    return;
  }
  char grouped[kGroupedSize];
  switch (sizeUnits) {
    case kSizeUnitsKB: {
      std::uint64_t kb = size / kKB;
      if (kb == 0 && size != 0) kb = 1;
      std::snprintf(buffer, capacity, "%s KB", GroupDigits(kb, grouped, sizeof grouped));
      return;
    }
    case kSizeUnitsMB:
      std::snprintf(buffer, capacity, "%s MB", GroupDigits(size / kMB, grouped, sizeof grouped));
      return;
    case kSizeUnitsGB:
      std::snprintf(buffer, capacity, "%s GB", GroupDigits(size / kGB, grouped, sizeof grouped));
      return;
    case kSizeUnitsAdaptive: {
      if (size < kKB) {
        std::snprintf(buffer, capacity, "%" PRIu64, size);
        return;
      }
      const ScaledUnit unit = UnitOf(size);
      char fraction[kFractionSize];
      Fraction(size, unit, fraction);
      std::snprintf(buffer, capacity, "%s %s", fraction, unit.name);
      return;
    }
    default:
      return;
  }
}

void FormatSizeDetail(std::uint64_t size, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  if (size < kKB) {
    std::snprintf(buffer, capacity, "%" PRIu64 " bytes", size);
    return;
  }
  const ScaledUnit unit = UnitOf(size);
  char fraction[kFractionSize];
  char grouped[kGroupedSize];
  Fraction(size, unit, fraction);
  std::snprintf(buffer, capacity, "%s %s (%s bytes)", fraction, unit.name,
                GroupDigits(size, grouped, sizeof grouped));
}

}  // namespace quillo
