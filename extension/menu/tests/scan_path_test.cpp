#include "scan_path.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace quillo {
namespace {

TEST(ScanPath, JoinsAndAddsTheSeparatorOnce) {
  wchar_t out[kScanPathSize];
  ASSERT_TRUE(DirectoryBase(out, std::size(out), L"C:\\data"));
  EXPECT_STREQ(out, L"C:\\data\\");
  ASSERT_TRUE(DirectoryBase(out, std::size(out), L"C:\\"));
  EXPECT_STREQ(out, L"C:\\");
  ASSERT_TRUE(JoinScanPath(out, std::size(out), L"C:\\data\\", L"sub"));
  EXPECT_STREQ(out, L"C:\\data\\sub");
  EXPECT_TRUE(EndsWithSeparator(L"a\\"));
  EXPECT_FALSE(EndsWithSeparator(L""));
  EXPECT_TRUE(IsDotEntry(L".") && IsDotEntry(L".."));
  EXPECT_FALSE(IsDotEntry(L"...") || IsDotEntry(L".x"));
  EXPECT_TRUE(IsAbsolutePath(L"C:\\") && IsAbsolutePath(L"z:\\a") && IsAbsolutePath(L"\\\\srv\\s"));
  EXPECT_FALSE(IsAbsolutePath(L"Control Panel") || IsAbsolutePath(L"C:") || IsAbsolutePath(L"") ||
               IsAbsolutePath(L"::{21EC2020-3AEA-1069-A2DD-08002B30309D}"));
}

TEST(ScanPath, APathThatDoesNotFitEndsTheBranch) {
  wchar_t out[8];
  EXPECT_TRUE(JoinScanPath(out, std::size(out), L"abc\\", L"def"));  // 7 characters and terminator
  EXPECT_FALSE(JoinScanPath(out, std::size(out), L"abc\\", L"defg"));
  EXPECT_STREQ(out, L"");
  EXPECT_FALSE(DirectoryBase(out, std::size(out), L"abcdefg"));
  const std::wstring deep(kScanPathSize - 1, L'x');
  wchar_t path[kScanPathSize];
  EXPECT_FALSE(DirectoryBase(path, std::size(path), deep.c_str()));
  EXPECT_FALSE(JoinScanPath(path, 0, L"", L""));
}

TEST(ScanPath, NamesWithoutAnAnsiFormJoinWhole) {
  wchar_t out[kScanPathSize];
  ASSERT_TRUE(JoinScanPath(out, std::size(out), L"C:\\Документы\\", L"日本語.txt"));
  EXPECT_STREQ(out, L"C:\\Документы\\日本語.txt");
  EXPECT_TRUE(IsAbsolutePath(L"C:\\Документы"));
  EXPECT_FALSE(IsAbsolutePath(L"Ж:\\x"));
}

}  // namespace
}  // namespace quillo
