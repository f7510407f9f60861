#include "fill_level.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace quillo {
namespace {

std::vector<LevelItem> Fill(const std::vector<std::int32_t>& order, int first, int perColumn,
                            bool multiColumn) {
  const LevelLayoutInput in{first, order, perColumn, multiColumn};
  std::vector<LevelItem> items;
  for (int i = 0; auto item = LevelItemAt(in, i); ++i) items.push_back(*item);
  return items;
}

std::vector<std::int32_t> Identity(int n) {
  std::vector<std::int32_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  return order;
}

// A single-column listing paged as the item model pages it: after every p - 2 entries a
// separator and a "More..." entry (here entry indexes from 1000 up).
std::vector<std::int32_t> Paged(int n, int p) {
  std::vector<std::int32_t> order = Identity(n);
  std::int32_t extra = 1000;
  for (std::size_t i = 1; i < order.size(); ++i) {
    if (static_cast<int>(i) % p != p - 2) continue;
    order.insert(order.begin() + i, {extra, extra + 1});
    extra += 2;
    i += 2;
  }
  return order;
}

TEST(FillLevel, SingleColumnShowsOnePageAndContinuationsTheNext) {
  const std::vector<std::int32_t> order = Paged(100, 30);
  const auto first = Fill(order, 0, 30, false);
  ASSERT_EQ(first.size(), 30u);
  EXPECT_EQ(first[27].entryIndex, 27);
  EXPECT_EQ(first[28].entryIndex, 1000);  // separator
  EXPECT_EQ(first[29].entryIndex, 1001);  // "More...", continuing at display index 30
  const auto second = Fill(order, 30, 30, false);
  ASSERT_EQ(second.size(), 30u);
  EXPECT_EQ(second.front().orderIndex, 30);
  EXPECT_EQ(second.front().position, 0);
  EXPECT_EQ(second.front().entryIndex, 28);
  EXPECT_EQ(second[29].entryIndex, 1003);
  for (const auto& item : second) EXPECT_FALSE(item.menuBarBreak);
  const auto last = Fill(order, 90, 30, false);
  EXPECT_EQ(last.size(), order.size() - 90);
  EXPECT_EQ(last.back().entryIndex, 99);
}

TEST(FillLevel, MultiColumnBreaksEveryColumnAndStopsAt1024) {
  const auto items = Fill(Identity(70), 0, 30, true);
  ASSERT_EQ(items.size(), 70u);
  for (const auto& item : items) EXPECT_EQ(item.menuBarBreak, item.position == 30 || item.position == 60);
  EXPECT_EQ(Fill(Identity(3000), 0, 30, true).size(), static_cast<std::size_t>(kMaxLevelItems));
}

TEST(FillLevel, NothingOutsideTheOrderOrBeyondWhatAnItemIdNames) {
  EXPECT_TRUE(Fill(Identity(10), 10, 30, false).empty());
  EXPECT_TRUE(Fill(Identity(10), -1, 30, false).empty());
  EXPECT_TRUE(Fill({}, 0, 30, true).empty());
  EXPECT_EQ(Fill({5, 65535, 65536, 7}, 0, 30, true).size(), 2u);
}

TEST(FillLevel, ParentChildStateIsTheCountUpTo127) {
  EXPECT_EQ(ChildStateFromCount(0), 0);
  EXPECT_EQ(ChildStateFromCount(30), 30);
  EXPECT_EQ(ChildStateFromCount(1024), 127);
}

TEST(FillLevel, AsksWhetherTheUserMovedOnFirstThenEvery10Ms) {
  MoveOnCheck check;
  EXPECT_TRUE(check.Due(5000));
  EXPECT_FALSE(check.Due(5000));
  EXPECT_FALSE(check.Due(5009));
  EXPECT_TRUE(check.Due(5010));
  EXPECT_FALSE(check.Due(5011));
  MoveOnCheck wrapping;
  EXPECT_TRUE(wrapping.Due(0xFFFFFFFAu));
  EXPECT_FALSE(wrapping.Due(2));
  EXPECT_TRUE(wrapping.Due(4));  // 10 ms later, across the wrap
}

}  // namespace
}  // namespace quillo
