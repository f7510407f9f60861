#include "core/edit_list.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

std::string Texts(const EditList& list) {
  std::string out;
  for (const EditLine& line : list.lines()) out += (line.data == kSeparatorData ? std::string("-") : line.text) + "|";
  return out;
}

TEST(EditList, ItemsGoAfterTheSelectionAndDuplicatesSelectTheExistingLine) {
  EditList list(5);
  EXPECT_EQ(list.InsertItem(-1, "C:\\a", 1).index, 0);
  EXPECT_EQ(list.InsertItem(-1, "C:\\b", 2).index, 0) << "no selection inserts at the top";
  EXPECT_EQ(list.InsertItem(0, "C:\\c", 3).index, 1);
  EXPECT_EQ(Texts(list), "C:\\b|C:\\c|C:\\a|");
  const EditList::Insertion again = list.InsertItem(0, "c:\\A", 4);
  EXPECT_FALSE(again.inserted);
  EXPECT_EQ(again.index, 2) << "the same text in other letter case is the same line";
  EXPECT_EQ(list.lines().size(), 3u);
}

TEST(EditList, SeparatorsRepeatUntilTheCapacityIsReached) {
  EditList list(3);
  EXPECT_EQ(list.InsertSeparator(-1), 0);
  EXPECT_EQ(list.InsertSeparator(0), 1);
  EXPECT_EQ(list.lines()[1].text, std::string(32, '-'));
  EXPECT_EQ(list.InsertItem(1, "x", 7).index, 2);
  EXPECT_TRUE(list.Full());
  EXPECT_EQ(list.InsertSeparator(0), -1);
  EXPECT_EQ(list.InsertItem(0, "y", 8).index, -1);
  EXPECT_FALSE(list.Append("z", 9));
  EXPECT_EQ(list.InsertItem(0, "X", 8).index, 2) << "a duplicate is still found when full";
  EXPECT_EQ(Texts(list), "-|-|x|");
}

TEST(EditList, RemoveAndMoveKeepTextAndData) {
  EditList list(8);
  for (int i = 0; i < 4; ++i) list.Append(std::string(1, static_cast<char>('a' + i)), i);
  EXPECT_EQ(list.MoveUp(0), 0);
  EXPECT_EQ(list.MoveDown(3), 3);
  EXPECT_EQ(list.MoveUp(-1), -1);
  EXPECT_EQ(list.MoveDown(-1), -1);
  EXPECT_EQ(list.MoveDown(1), 2);
  EXPECT_EQ(Texts(list), "a|c|b|d|");
  EXPECT_EQ(list.lines()[2].data, 1);
  EXPECT_EQ(list.MoveUp(3), 2);
  EXPECT_EQ(Texts(list), "a|c|d|b|");

  EditLine removed{};
  EXPECT_EQ(list.Remove(1, &removed), 1) << "the line that moved into the index is selected";
  EXPECT_EQ(removed.text, "c");
  EXPECT_EQ(removed.data, 2);
  EXPECT_EQ(list.Remove(2, &removed), -1) << "nothing follows the last line";
  EXPECT_EQ(list.Remove(-1, &removed), -1);
  EXPECT_EQ(list.Remove(5, &removed), -1);
  EXPECT_EQ(Texts(list), "a|d|");
}

}  // namespace
}  // namespace quillo
