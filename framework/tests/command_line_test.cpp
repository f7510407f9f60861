#include "core/command_line.h"

#include <gtest/gtest.h>

namespace lwf {
namespace {

TEST(CommandLine, SwitchesCollectTheWordsThatFollowThem) {
  const SwitchList list =
      ParseCommandLine("  -WAITFORDATAPATH \"C:\\My Data\\Quillo\" word   -QUIT");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].text, "-WAITFORDATAPATH");
  ASSERT_EQ(list[0].arguments.size(), 2u);
  EXPECT_EQ(list[0].arguments[0], "C:\\My Data\\Quillo");
  EXPECT_EQ(list[0].arguments[1], "word");
  EXPECT_EQ(list[1].text, "-QUIT");
  EXPECT_TRUE(list[1].arguments.empty());
  EXPECT_EQ(FindSwitch(list, "-quit"), 1);
  EXPECT_EQ(FindSwitch(list, "-WaitForDataPath"), 0);
  EXPECT_EQ(FindSwitch(list, "-MINIMIZE"), -1);
  EXPECT_EQ(FindSwitch(list, "-QUI"), -1);
}

TEST(CommandLine, WordsBeforeAnySwitchGoToAnUnnamedRecord) {
  const SwitchList list = ParseCommandLine("first \"two words\" -SAVEASADMIN");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].text, "");
  EXPECT_EQ(list[0].arguments, (std::vector<std::string>{"first", "two words"}));
  EXPECT_EQ(list[1].text, "-SAVEASADMIN");
  EXPECT_TRUE(ParseCommandLine("").empty());
  EXPECT_TRUE(ParseCommandLine(nullptr).empty());
  EXPECT_TRUE(ParseCommandLine(" \t ").empty());
}

TEST(CommandLine, LongSwitchesAreCutAndUnclosedQuotesRunToTheEnd) {
  const std::string longSwitch = "-" + std::string(400, 'X');
  const SwitchList list = ParseCommandLine((longSwitch + " \"open quote").c_str());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].text.size(), kSwitchTextMax);
  EXPECT_EQ(list[0].arguments, (std::vector<std::string>{"open quote"}));
}

TEST(CommandLine, OnlyNormalShowAndDefaultAreNotMinimised) {
  EXPECT_FALSE(ShowCommandMeansMinimized(1));
  EXPECT_FALSE(ShowCommandMeansMinimized(5));
  EXPECT_FALSE(ShowCommandMeansMinimized(10));
  EXPECT_TRUE(ShowCommandMeansMinimized(7));
  EXPECT_TRUE(ShowCommandMeansMinimized(2));
}

}  // namespace
}  // namespace lwf
