#include "core/option_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace quillo {
namespace {

std::string ListBytes(const char* list, std::size_t size) { return std::string(list, size); }

TEST(ExtensionText, TextBecomesAListWithTheWildcardFlag) {
  char list[260];
  EXPECT_FALSE(TextToExtensionList("*.jpg,,  *.png", list, sizeof list));
  EXPECT_EQ(ListBytes(list, 9), std::string("jpg\0png\0\0", 9));
  EXPECT_TRUE(TextToExtensionList("*", list, sizeof list));
  EXPECT_EQ(ListBytes(list, 3), std::string("*\0\0", 3));
  EXPECT_TRUE(TextToExtensionList("*.*", list, sizeof list));
  EXPECT_EQ(ListBytes(list, 3), std::string("*\0\0", 3));
  EXPECT_FALSE(TextToExtensionList("", list, sizeof list));
  EXPECT_EQ(ListBytes(list, 2), std::string("\0\0", 2));
  EXPECT_FALSE(TextToExtensionList(" , *.txt, *.doc ,", list, sizeof list));
  EXPECT_EQ(ListBytes(list, 9), std::string("txt\0doc\0\0", 9)) << "no empty item at the start";
}

TEST(ExtensionText, LongTextStopsWithRoomForTheTerminators) {
  char list[260];
  std::memset(list, 'x', sizeof list);
  const std::string text(1000, 'a');
  TextToExtensionList(text.c_str(), list, sizeof list);
  EXPECT_EQ(std::string(list).size(), 257u);
  EXPECT_EQ(list[257], '\0');
  EXPECT_EQ(list[258], '\0');
}

TEST(ExtensionText, ListIsShownJoinedWithCommas) {
  char text[1040];
  const char list[260] = "jpg\0png\0gif";
  ExtensionListToText(list, sizeof list, text, sizeof text);
  EXPECT_STREQ(text, "jpg, png, gif");
  const char empty[260] = "";
  ExtensionListToText(empty, sizeof empty, text, sizeof text);
  EXPECT_STREQ(text, "");
  char unterminated[4] = {'a', 'b', 'c', 'd'};
  ExtensionListToText(unterminated, sizeof unterminated, text, sizeof text);
  EXPECT_STREQ(text, "abcd") << "a list without terminator is read only to its field's end";
  char small[8];
  ExtensionListToText(list, sizeof list, small, sizeof small);
  EXPECT_STREQ(small, "jpg, pn");
}

TEST(DelayLabel, RoundsHalfUpToTenthsOfASecond) {
  char label[32];
  const std::pair<int, const char*> cases[] = {
      {0, "0 seconds"},     {150, "0.2 seconds"}, {500, "0.5 seconds"}, {949, "0.9 seconds"},
      {950, "1 second"},    {1000, "1 second"},   {49, "0 seconds"},    {1050, "1.1 seconds"},
  };
  for (const auto& [ms, text] : cases) {
    FormatDelayLabel(ms, label, sizeof label);
    EXPECT_STREQ(label, text) << ms;
  }
}

TEST(Numbers, ClampAndParse) {
  EXPECT_EQ(Clamp(0, 1, 64), 1);
  EXPECT_EQ(Clamp(99, 1, 64), 64);
  EXPECT_EQ(Clamp(99, 64, 1), 64) << "bounds are swapped";
  EXPECT_EQ(Clamp(-1, 16, 1024), 16);
  EXPECT_EQ(ParseNumber("  42px").value_or(-7), 42);
  EXPECT_EQ(ParseNumber("-100").value_or(0), -100);
  EXPECT_FALSE(ParseNumber("abc").has_value());
  EXPECT_FALSE(ParseNumber("").has_value());
  EXPECT_EQ(ParseNumber("99999999999").value_or(0), 2147483647);
}

}  // namespace
}  // namespace quillo
