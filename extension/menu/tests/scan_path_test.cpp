#include "scan_path.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

TEST(ScanPath, JoinsAndAddsTheSeparatorOnce) {
  char out[kScanPathSize];
  ASSERT_TRUE(DirectoryBase(out, sizeof out, "C:\\data"));
  EXPECT_STREQ(out, "C:\\data\\");
  ASSERT_TRUE(DirectoryBase(out, sizeof out, "C:\\"));
  EXPECT_STREQ(out, "C:\\");
  ASSERT_TRUE(JoinScanPath(out, sizeof out, "C:\\data\\", "sub"));
  EXPECT_STREQ(out, "C:\\data\\sub");
  EXPECT_TRUE(EndsWithSeparator("a\\"));
  EXPECT_FALSE(EndsWithSeparator(""));
  EXPECT_TRUE(IsDotEntry(".") && IsDotEntry(".."));
  EXPECT_FALSE(IsDotEntry("...") || IsDotEntry(".x"));
  EXPECT_TRUE(IsAbsolutePath("C:\\") && IsAbsolutePath("z:\\a") && IsAbsolutePath("\\\\srv\\s"));
  EXPECT_FALSE(IsAbsolutePath("Control Panel") || IsAbsolutePath("C:") || IsAbsolutePath("") ||
               IsAbsolutePath("::{21EC2020-3AEA-1069-A2DD-08002B30309D}"));
}

TEST(ScanPath, APathThatDoesNotFitEndsTheBranch) {
  char out[8];
  EXPECT_TRUE(JoinScanPath(out, sizeof out, "abc\\", "def"));  // 7 characters and terminator
  EXPECT_FALSE(JoinScanPath(out, sizeof out, "abc\\", "defg"));
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(DirectoryBase(out, sizeof out, "abcdefg"));
  const std::string deep(kScanPathSize - 1, 'x');
  char path[kScanPathSize];
  EXPECT_FALSE(DirectoryBase(path, sizeof path, deep.c_str()));
  EXPECT_FALSE(JoinScanPath(path, 0, "", ""));
}

}  // namespace
}  // namespace quillo
