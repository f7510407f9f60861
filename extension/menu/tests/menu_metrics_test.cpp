#include "menu_metrics.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

constexpr MenuFontFacts kFacts{16, 16, 100, 13};

TEST(MenuMetrics, DerivedFromFontAndIcon) {
  const MenuMetrics m = ComputeMenuMetrics(kFacts, 0, 1080);
  EXPECT_EQ(m.ItemHeight, 18);
  EXPECT_EQ(m.SeparatorHeight, 9);
  EXPECT_EQ(m.TextOffsetY, 2);
  EXPECT_EQ(m.IconOffsetY, 1);
  EXPECT_EQ(m.ItemsPerColumn, 60);
  EXPECT_EQ(m.SizeColumnWidth, 100);
  EXPECT_EQ(ComputeMenuMetrics(kFacts, 1, 1080).SeparatorHeight, 9);  // 19 / 2 truncated
}

TEST(MenuMetrics, ItemHeightLimits) {
  const MenuMetrics small = ComputeMenuMetrics(kFacts, -100, 1080);
  EXPECT_EQ(small.ItemHeight, 8);
  EXPECT_EQ(small.TextOffsetY, -2);  // (8 - 13) / 2 truncated toward zero
  // An out-of-range value from the options file counts as its nearest allowed one.
  EXPECT_EQ(ComputeMenuMetrics(kFacts, 100000, 1080).ItemHeight, 118);
  EXPECT_EQ(ComputeMenuMetrics(kFacts, -2147483647, 1080).ItemHeight, 8);
}

TEST(MenuMetrics, AColumnAlwaysHoldsAPage) {
  EXPECT_EQ(ComputeMenuMetrics(kFacts, 0, 0).ItemsPerColumn, 3);
  EXPECT_EQ(ComputeMenuMetrics(kFacts, 100, 200).ItemsPerColumn, 3);
}

TEST(MenuMetrics, SizeColumnSamples) {
  EXPECT_EQ(std::string(SizeColumnSample(0)), "8.888.888.888 KB");
  EXPECT_EQ(std::string(SizeColumnSample(3)), "  8888 GB");
  EXPECT_EQ(std::string(SizeColumnSample(4)), "Ag");
  EXPECT_EQ(std::string(SizeColumnSample(-1)), "Ag");
}

TEST(MenuMetrics, SubOpenAreaWidth) {
  EXPECT_EQ(EffectiveSubOpenAreaWidth(-1, 18), 18);
  EXPECT_EQ(EffectiveSubOpenAreaWidth(40, 18), 40);
  EXPECT_EQ(EffectiveSubOpenAreaWidth(0, 18), 16);
  EXPECT_EQ(EffectiveSubOpenAreaWidth(5000, 18), 1024);
}

}  // namespace
}  // namespace quillo
