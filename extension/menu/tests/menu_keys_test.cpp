// The view toggles, the clipboard lines and the list-view order behind the menus' keys.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "clipboard_text.h"
#include "list_view_order.h"
#include "view_option_toggle.h"

namespace quillo {
namespace {

TEST(ViewOptionToggle, HiddenAndProtectedItems) {
  OptionsRecord options{};
  EXPECT_TRUE(ApplyViewOptionToggle(options, ViewOption::kHidden));
  EXPECT_EQ(options.includeHidden, 1);
  EXPECT_TRUE(ApplyViewOptionToggle(options, ViewOption::kHidden));
  EXPECT_EQ(options.includeHidden, 0);
  // Protected items on also show hidden items; off again leaves hidden items shown.
  EXPECT_TRUE(ApplyViewOptionToggle(options, ViewOption::kProtected));
  EXPECT_EQ(options.includeSuperHidden, 1);
  EXPECT_EQ(options.includeHidden, 1);
  EXPECT_TRUE(ApplyViewOptionToggle(options, ViewOption::kProtected));
  EXPECT_EQ(options.includeSuperHidden, 0);
  EXPECT_EQ(options.includeHidden, 1);
}

TEST(ViewOptionToggle, SizesAndUnitsKeepListings) {
  OptionsRecord options{};
  options.sizeInfoShown = 1;
  EXPECT_FALSE(ApplyViewOptionToggle(options, ViewOption::kSizes));
  EXPECT_EQ(options.sizeInfoShown, 0);
  options.sizeUnits = 2;
  for (int expected : {3, 0, 1, 2}) {
    EXPECT_FALSE(ApplyViewOptionToggle(options, ViewOption::kUnits));
    EXPECT_EQ(options.sizeUnits, expected);
  }
  // A damaged value starts over instead of overflowing.
  for (std::int32_t damaged : {-7, 4, 0x7FFFFFFF}) {
    options.sizeUnits = damaged;
    ApplyViewOptionToggle(options, ViewOption::kUnits);
    EXPECT_EQ(options.sizeUnits, 0) << damaged;
  }
}

TEST(ClipboardText, LinesAreCutAndNeverOverrunTheBlock) {
  char block[kClipboardBytesPerItem * 2] = {};
  std::size_t used = AppendClipboardLine(block, sizeof block, 0, "a.txt");
  used = AppendClipboardLine(block, sizeof block, used, "C:\\b");
  EXPECT_STREQ(block, "a.txt\r\nC:\\b\r\n");
  EXPECT_EQ(used, std::strlen(block));

  const std::string longName(600, 'x');
  char one[kClipboardBytesPerItem] = {};
  used = AppendClipboardLine(one, sizeof one, 0, longName.c_str());
  EXPECT_EQ(used, kClipboardNameMax + 2);
  EXPECT_EQ(std::string(one), std::string(kClipboardNameMax, 'x') + "\r\n");

  // A line that does not fit is left out whole, and the text stays terminated.
  char tight[8] = {};
  used = AppendClipboardLine(tight, sizeof tight, 0, "abcd");
  EXPECT_EQ(used, 6u);
  EXPECT_EQ(AppendClipboardLine(tight, sizeof tight, used, "e"), used);
  EXPECT_STREQ(tight, "abcd\r\n");
  EXPECT_EQ(AppendClipboardLine(tight, sizeof tight, 99, "e"), 99u);
}

TEST(ClipboardText, UnicodeLinesCarryTheRealNamesAndKeepPairsWhole) {
  wchar_t block[kClipboardBytesPerItem * 2] = {};
  std::size_t used = AppendClipboardLine(block, kClipboardBytesPerItem * 2, 0, L"файл.txt");
  used = AppendClipboardLine(block, kClipboardBytesPerItem * 2, used, L"日本語.txt");
  EXPECT_EQ(std::wstring(block), L"файл.txt\r\n日本語.txt\r\n");
  EXPECT_EQ(used, std::wstring(block).size());
  // A name cut at the line's limit in the middle of a pair loses the whole character.
  std::wstring longName(kClipboardNameMax - 1, L'a');
  longName += {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDCC1)};
  wchar_t one[kClipboardBytesPerItem] = {};
  used = AppendClipboardLine(one, kClipboardBytesPerItem, 0, longName.c_str());
  EXPECT_EQ(std::wstring(one), std::wstring(kClipboardNameMax - 1, L'a') + L"\r\n");
}

TEST(ListViewOrder, FollowsTheWindowEvenWithHiddenExtensions) {
  const std::string_view children[] = {"b.txt", "A.doc", "c", "a.doc.bak"};
  const std::string_view list[] = {"c", "a.DOC", "a", "B"};
  const auto order = OrderByListView(children, list);
  ASSERT_TRUE(order.has_value());
  // "a.doc.bak" takes the first unused text its name begins with: "a" at position 2, because
  // "a.DOC" went to "A.doc" before it.
  EXPECT_EQ(*order, (std::vector<std::size_t>{2, 1, 3, 0}));
}

TEST(ListViewOrder, AChildMissingFromTheWindowMeansSortByName) {
  const std::string_view children[] = {"one", "two"};
  const std::string_view shorter[] = {"one"};
  EXPECT_FALSE(OrderByListView(children, shorter).has_value());
  const std::string_view longerText[] = {"one", "two.txt"};  // a text longer than the name
  EXPECT_FALSE(OrderByListView(children, longerText).has_value());
  // Extra list items (the window shows more than was enumerated) are skipped.
  const std::string_view more[] = {"x", "two", "one"};
  EXPECT_EQ(*OrderByListView(children, more), (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(*OrderByListView({}, more), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace quillo
