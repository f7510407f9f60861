#include "data_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

std::string PathOf(const char* folder, const char* name, int index) {
  char out[260];
  if (!BuildDataFilePath(folder, name, index, out, sizeof out)) return "<none>";
  return out;
}

TEST(DataFileName, PlainAndIndexedNames) {
  EXPECT_EQ(PathOf("C:\\Data", "Options", kNoIndex), "C:\\Data\\Options.lcf");
  EXPECT_EQ(PathOf("C:\\Data", "MRU", 0), "C:\\Data\\MRU0.lcf");
  EXPECT_EQ(PathOf("C:\\Data", "FAV", 63), "C:\\Data\\FAV63.lcf");
  EXPECT_EQ(PathOf("C:\\Data", "FAV", 999), "C:\\Data\\FAV999.lcf");
}

TEST(DataFileName, TrailingBackslashIsNotDoubled) {
  EXPECT_EQ(PathOf("C:\\Data\\", "Options", kNoIndex), "C:\\Data\\Options.lcf");
  EXPECT_EQ(PathOf("D:\\", "MRU", 3), "D:\\MRU3.lcf");
}

TEST(DataFileName, RefusesWhatCannotBeNamed) {
  EXPECT_EQ(PathOf("C:\\Data", "MRU", 1000), "<none>");
  EXPECT_EQ(PathOf("C:\\Data", "MRU", -2), "<none>");
  const std::string longFolder(250, 'x');
  EXPECT_EQ(PathOf(longFolder.c_str(), "Options", kNoIndex), "<none>");  // 262 characters
  char small[8] = "garbage";
  EXPECT_FALSE(BuildDataFilePath("C:", "Options", kNoIndex, small, sizeof small));
  EXPECT_EQ(small[0], '\0');
}

}  // namespace
}  // namespace quillo
