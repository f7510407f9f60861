#include "size_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quillo {
namespace {

std::string Column(std::uint64_t size, int units) {
  char text[260];
  FormatSizeColumn(size, units, text, sizeof text);
  return text;
}

std::string Detail(std::uint64_t size) {
  char text[260];
  FormatSizeDetail(size, text, sizeof text);
  return text;
}

std::string Fraction(double value) {
  char text[kFractionSize];
  FormatFraction(value, text);
  return text;
}

constexpr std::uint64_t kGB = 1073741824;

TEST(SizeFormat, GroupDigits) {
  char text[32];
  EXPECT_STREQ(GroupDigits(0, text, sizeof text), "0");
  EXPECT_STREQ(GroupDigits(123, text, sizeof text), "123");
  EXPECT_STREQ(GroupDigits(1234, text, sizeof text), "1.234");
  EXPECT_STREQ(GroupDigits(123456, text, sizeof text), "123.456");
  EXPECT_STREQ(GroupDigits(1234567, text, sizeof text), "1.234.567");
  EXPECT_STREQ(GroupDigits(UINT64_MAX, text, sizeof text), "18.446.744.073.709.551.615");
  // Cut to a small buffer, always terminated.
  char small[4];
  EXPECT_STREQ(GroupDigits(1234567, small, sizeof small), "1.2");
}

TEST(SizeFormat, FractionTruncatesToFourCharacters) {
  EXPECT_EQ(Fraction(1.5), "1,50");
  EXPECT_EQ(Fraction(12.25), "12,2");
  EXPECT_EQ(Fraction(123.9), "123");
  EXPECT_EQ(Fraction(1023.9), "1023");
  EXPECT_EQ(Fraction(1.0), "1,00");
  EXPECT_EQ(Fraction(9.9999999), "10,0");  // the six-decimal print rounds first
  EXPECT_EQ(Fraction(17179869183.99), "1717");
}

TEST(SizeFormat, ColumnFixedUnits) {
  EXPECT_EQ(Column(0, kSizeUnitsKB), "0 KB");
  EXPECT_EQ(Column(1, kSizeUnitsKB), "1 KB");  // anything at all shows at least 1 KB
  EXPECT_EQ(Column(1023, kSizeUnitsKB), "1 KB");
  EXPECT_EQ(Column(2047, kSizeUnitsKB), "1 KB");
  EXPECT_EQ(Column(5 * kGB, kSizeUnitsKB), "5.242.880 KB");
  EXPECT_EQ(Column(0, kSizeUnitsMB), "0 MB");
  EXPECT_EQ(Column(1048575, kSizeUnitsMB), "0 MB");
  EXPECT_EQ(Column(1048576, kSizeUnitsMB), "1 MB");
  EXPECT_EQ(Column(0, kSizeUnitsGB), "0 GB");
  EXPECT_EQ(Column(kGB - 1, kSizeUnitsGB), "0 GB");
  EXPECT_EQ(Column(1234 * kGB, kSizeUnitsGB), "1.234 GB");
  EXPECT_EQ(Column(UINT64_MAX - 1, kSizeUnitsKB), "18.014.398.509.481.983 KB");
}

TEST(SizeFormat, ColumnAdaptive) {
  EXPECT_EQ(Column(0, kSizeUnitsAdaptive), "0");
  EXPECT_EQ(Column(1023, kSizeUnitsAdaptive), "1023");
  EXPECT_EQ(Column(1024, kSizeUnitsAdaptive), "1,00 KB");
  EXPECT_EQ(Column(1536, kSizeUnitsAdaptive), "1,50 KB");
  EXPECT_EQ(Column(1048575, kSizeUnitsAdaptive), "1023 KB");
  EXPECT_EQ(Column(1048576, kSizeUnitsAdaptive), "1,00 MB");
  EXPECT_EQ(Column(kGB, kSizeUnitsAdaptive), "1,00 GB");
  EXPECT_EQ(Column(UINT64_MAX - 1, kSizeUnitsAdaptive), "1717 GB");
}

TEST(SizeFormat, ColumnUnknownAndOddUnits) {
  for (int units = 0; units <= 3; ++units) EXPECT_EQ(Column(kSizeUnknown, units), "...");
  EXPECT_EQ(Column(1536, 4), "");
  EXPECT_EQ(Column(1536, -1), "");
  char tiny[3];
  FormatSizeColumn(5 * kGB, kSizeUnitsKB, tiny, sizeof tiny);
  EXPECT_STREQ(tiny, "5.");
}

TEST(SizeFormat, Detail) {
  EXPECT_EQ(Detail(0), "0 bytes");
  EXPECT_EQ(Detail(512), "512 bytes");
  EXPECT_EQ(Detail(1023), "1023 bytes");
  EXPECT_EQ(Detail(1536), "1,50 KB (1.536 bytes)");
  EXPECT_EQ(Detail(1048576), "1,00 MB (1.048.576 bytes)");
  EXPECT_EQ(Detail(5 * kGB), "5,00 GB (5.368.709.120 bytes)");
  EXPECT_EQ(Detail(UINT64_MAX), "1717 GB (18.446.744.073.709.551.615 bytes)");
}

}  // namespace
}  // namespace quillo
