#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "context_menu_entries.h"
#include "name_truncation.h"

namespace quillo {
namespace {

std::string Truncated(std::string name, std::size_t length = kMenuNameLength) {
  name.push_back('\0');
  TruncateMiddle(name.data(), length);
  return name.c_str();
}

std::string Letters(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

TEST(NameTruncation, KeepsSixtyFourAndCutsTheMiddleOfLongerNames) {
  EXPECT_EQ(Truncated(Letters(64)), Letters(64));
  const std::string name = Letters(65);
  const std::string cut = Truncated(name);
  EXPECT_EQ(cut, name.substr(0, 29) + "......" + name.substr(65 - 29));
  EXPECT_EQ(cut.size(), 64u);
  EXPECT_EQ(Truncated(Letters(259)).size(), 64u);
  EXPECT_EQ(Truncated("", 64), "");
  EXPECT_EQ(Truncated("abcdefgh", 4), "abcd");
  EXPECT_EQ(Truncated("abcdefgh", 7), "......");
}

std::wstring Truncated(std::wstring name, std::size_t length = kMenuNameLength) {
  name.push_back(L'\0');
  TruncateMiddle(name.data(), length);
  return name.c_str();
}

// U+1F4C1 (a folder emoji) as UTF-16: one character in two units.
const std::wstring kEmoji = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDCC1)};

TEST(NameTruncation, UnicodeNamesCountCharactersAndKeepPairsWhole) {
  const std::wstring cyrillic(64, L'ж');
  EXPECT_EQ(Truncated(cyrillic), cyrillic);
  const std::wstring longer = std::wstring(29, L'日') + std::wstring(7, L'本') + std::wstring(29, L'語');
  EXPECT_EQ(Truncated(longer), std::wstring(29, L'日') + L"......" + std::wstring(29, L'語'));
  // 64 characters of which ten are pairs: not cut although it has 74 units.
  std::wstring emojis;
  for (int i = 0; i < 10; ++i) emojis += kEmoji;
  const std::wstring sixtyFour = emojis + std::wstring(54, L'a');
  EXPECT_EQ(Truncated(sixtyFour), sixtyFour);
  // 65 characters: the cut falls between pairs, never inside one.
  std::wstring pairs;
  for (int i = 0; i < 65; ++i) pairs += kEmoji;
  std::wstring expected;
  for (int i = 0; i < 29; ++i) expected += kEmoji;
  expected += L"......";
  for (int i = 0; i < 29; ++i) expected += kEmoji;
  EXPECT_EQ(Truncated(pairs), expected);
  EXPECT_EQ(Truncated(kEmoji + kEmoji + L"abc", 3), kEmoji + kEmoji + L"a");
  EXPECT_EQ(Truncated(L"a" + kEmoji + L"bcdefgh", 2), L"a" + kEmoji);
}

TEST(NameTruncation, WholeCharacterUnitsDropAHalfPairAtTheEnd) {
  const std::wstring text = L"ab" + kEmoji;
  EXPECT_EQ(WholeCharacterUnits(text.c_str(), 4), 4u);
  EXPECT_EQ(WholeCharacterUnits(text.c_str(), 3), 2u);
  EXPECT_EQ(WholeCharacterUnits(text.c_str(), 0), 0u);
}

TEST(ContextMenuEntries, RefusalRules) {
  const MenuRequest normal{false, kContextMode, false, 0, 3};
  EXPECT_FALSE(StaysOutOfMenu(normal));
  auto with = [normal](auto change) {
    MenuRequest r = normal;
    change(r);
    return StaysOutOfMenu(r);
  };
  EXPECT_TRUE(with([](MenuRequest& r) { r.busy = true; }));
  EXPECT_TRUE(with([](MenuRequest& r) { r.invocationMode = kStayOut; }));
  EXPECT_TRUE(with([](MenuRequest& r) { r.windowsKeyDown = true; }));
  EXPECT_TRUE(with([](MenuRequest& r) { r.indexMenu = 0; }));
  EXPECT_FALSE(with([](MenuRequest& r) { r.indexMenu = 0, r.invocationMode = kDragMode; }));
  EXPECT_TRUE(with([](MenuRequest& r) { r.flags = kCmfDefaultOnly | kCmfExplore; }));
  EXPECT_TRUE(with([](MenuRequest& r) { r.flags = 0x8; }));  // CMF_NOVERBS alone
  EXPECT_FALSE(with([](MenuRequest& r) { r.flags = 0x8 | kCmfExplore; }));
  EXPECT_FALSE(with([](MenuRequest& r) { r.flags = kCmfVerbsOnly; }));
  EXPECT_FALSE(with([](MenuRequest& r) { r.flags = 0x100, r.indexMenu = 0; }));  // CMF_EXTENDEDVERBS
}

TEST(ContextMenuEntries, EntriesPerMode) {
  EXPECT_EQ(RootItemDataFor(0x12345), 0xFFFF2345u);
  EntryPlanList context = PlanEntries(kContextMode, false, true);
  ASSERT_EQ(context.count, 1);
  EXPECT_STREQ(context.entries[0].text, "Quillo");
  EXPECT_STREQ(PlanEntries(kContextMode, true, false).entries[0].text, "Quillo\t>>>");

  EntryPlanList drag = PlanEntries(kDragMode, true, true);
  ASSERT_EQ(drag.count, 3);
  EXPECT_STREQ(drag.entries[0].text, "Move To Folder\t>>>");
  EXPECT_STREQ(drag.entries[1].text, "Copy To Folder\t>>>");
  EXPECT_STREQ(drag.entries[2].text, "Move To Parent");
  EXPECT_TRUE(drag.entries[1].hasPopup);
  EXPECT_FALSE(drag.entries[2].hasPopup);
  EXPECT_EQ(PlanEntries(kDragMode, false, false).count, 2);
}

}  // namespace
}  // namespace quillo
