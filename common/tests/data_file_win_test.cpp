#include "data_file.h"

#include <gtest/gtest.h>

#include "directory_path.h"
#include "win_test_support.h"

namespace quillo {
namespace {

using test::FileExists;
using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

TEST(DataFile, WriteThenReadBack) {
  ScratchFolder dir("datafile");
  const char bytes[] = "0123456789";
  EXPECT_EQ(WriteDataFile(dir.path().c_str(), "Options", kNoIndex, bytes, 10), 10u);
  EXPECT_EQ(ReadText(dir / "Options.lcf"), "0123456789");
  EXPECT_EQ(ReadDataFile(dir.path().c_str(), "Options", kNoIndex, nullptr, 0), 10u);  // size
  char small[4] = {};
  EXPECT_EQ(ReadDataFile(dir.path().c_str(), "Options", kNoIndex, small, sizeof small), 4u);
  EXPECT_EQ(std::string(small, 4), "0123");  // a longer file is cut
  char large[32] = {};
  EXPECT_EQ(ReadDataFile(dir.path().c_str(), "Options", kNoIndex, large, sizeof large), 10u);
  EXPECT_EQ(ReadDataFile(dir.path().c_str(), "Missing", kNoIndex, large, sizeof large), 0u);
  // Indexed files, and a trailing backslash on the folder.
  EXPECT_EQ(WriteDataFile((dir.path() + "\\").c_str(), "FAV", 3, "ab", 2), 2u);
  EXPECT_EQ(ReadText(dir / "FAV3.lcf"), "ab");
  // Re-writing replaces the whole file.
  EXPECT_EQ(WriteDataFile(dir.path().c_str(), "Options", kNoIndex, "x", 1), 1u);
  EXPECT_EQ(ReadText(dir / "Options.lcf"), "x");
}

TEST(DataFile, WriteCreatesMissingFolderLevels) {
  ScratchFolder dir("levels");
  const std::string data = dir / "one\\two";
  EXPECT_EQ(WriteDataFile(data.c_str(), "MRU", 0, "abc", 3), 3u);
  EXPECT_EQ(ReadText(data + "\\MRU0.lcf"), "abc");
}

TEST(DataFile, WriteFailsWhereNoFileCanBeCreated) {
  ScratchFolder dir("nowrite");
  WriteText(dir / "blocker", "a file where a folder should be");
  const std::string data = dir / "blocker\\sub";
  EXPECT_EQ(WriteDataFile(data.c_str(), "Options", kNoIndex, "abc", 3), 0u);
}

TEST(DataFile, DeleteSeriesStopsAtGap) {
  ScratchFolder dir("series");
  for (int i : {0, 1, 2, 4, 5}) WriteText(dir / ("MRU" + std::to_string(i) + ".lcf"), "x");
  EXPECT_EQ(DeleteDataFileSeries(dir.path().c_str(), "MRU"), 3);
  EXPECT_FALSE(FileExists(dir / "MRU0.lcf"));
  EXPECT_FALSE(FileExists(dir / "MRU2.lcf"));
  EXPECT_TRUE(FileExists(dir / "MRU4.lcf"));
  EXPECT_TRUE(FileExists(dir / "MRU5.lcf"));
  EXPECT_EQ(DeleteDataFileSeries(dir.path().c_str(), "FAV"), 0);
}

TEST(DirectoryPath, CreatesLevelsAndReportsFailures) {
  ScratchFolder dir("ensure");
  EXPECT_EQ(EnsureDirectoryPath(""), kDirectoryEmptyPath);
  EXPECT_EQ(EnsureDirectoryPath(dir.path().c_str()), kDirectoryReady);
  const std::string deep = dir / "a\\b\\c";
  EXPECT_EQ(EnsureDirectoryPath(deep.c_str()), kDirectoryReady);
  EXPECT_TRUE(FileExists(deep));
  const std::string trailing = dir / "d\\e\\";
  EXPECT_EQ(EnsureDirectoryPath(trailing.c_str()), kDirectoryReady);
  EXPECT_TRUE(FileExists(dir / "d\\e"));
  WriteText(dir / "file", "x");
  const std::string underFile = dir / "file\\sub";
  EXPECT_EQ(EnsureDirectoryPath(underFile.c_str()), kDirectoryFailed);
}

}  // namespace
}  // namespace quillo
