#include "core/item_id_bytes.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(FavoriteBytes, ListsAreMeasuredAndBrokenOnesRefused) {
  const std::uint8_t list[] = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0, 0xEE};
  EXPECT_EQ(ItemIdListLength(list, sizeof list), 9u) << "trailing bytes are not part of the list";
  const std::uint8_t empty[] = {0, 0};
  EXPECT_EQ(ItemIdListLength(empty, 2), 2u);
  const std::uint8_t noTerminator[] = {4, 0, 'a', 'b'};
  EXPECT_EQ(ItemIdListLength(noTerminator, 4), 0u);
  const std::uint8_t pastEnd[] = {9, 0, 'a', 'b', 0, 0};
  EXPECT_EQ(ItemIdListLength(pastEnd, sizeof pastEnd), 0u);
  const std::uint8_t tooShort[] = {1, 0, 0, 0};
  EXPECT_EQ(ItemIdListLength(tooShort, sizeof tooShort), 0u);
  EXPECT_EQ(ItemIdListLength(list, 1), 0u);
  EXPECT_EQ(ItemIdListLength(nullptr, 4), 0u);
}

TEST(FavoriteBytes, SeparatorMark) {
  const std::uint8_t mark[] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(IsSeparatorMark(mark, 4));
  EXPECT_FALSE(IsSeparatorMark(mark, 3));
  const std::uint8_t other[] = {0xFF, 0xFF, 0xFF, 0xFE};
  EXPECT_FALSE(IsSeparatorMark(other, 4));
}

}  // namespace
}  // namespace quillo
