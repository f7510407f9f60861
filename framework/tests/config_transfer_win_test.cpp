// The configuration archive's Win32 side against the real file system under Wine: which files a
// backup lists, reading files another process holds, and the pending archive at start-up when it
// is damaged or names another product (the paths that remove nothing).
#include <gtest/gtest.h>

#include <algorithm>

#include "config_transfer.h"
#include "core/config_archive.h"
#include "core/text_compare.h"
#include "data_tree.h"
#include "lwf_app.h"
#include "whole_file.h"
#include "win_test_support.h"

namespace lwf {
namespace {

using quillo::test::FileExists;
using quillo::test::ReadText;
using quillo::test::ScratchFolder;
using quillo::test::WriteText;

Bytes ArchiveOf(const char* product, const std::vector<std::pair<std::string, std::string>>& files) {
  ZipWriter writer({0, 0x21});
  const int version[3] = {5, 3, 3};
  const Bytes entry = ProductEntryContent("", version);
  writer.Add(product, entry.data(), entry.size());
  for (const auto& [name, text] : files) {
    writer.Add(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }
  return writer.Finish();
}

class ConfigTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((scratch_ / "Sub").c_str(), nullptr);
    std::snprintf(App().dataFolder, sizeof App().dataFolder, "%s", scratch_.path().c_str());
    std::snprintf(App().productName, sizeof App().productName, "Quillo");
    ASSERT_TRUE(PendingArchivePath(pending_));
    EXPECT_EQ(std::string(pending_), scratch_ / "Quillo.LarkwellConfig");
  }
  ScratchFolder scratch_{"config"};
  char pending_[MAX_PATH];
};

TEST_F(ConfigTransferTest, BackupListsDataFilesOfTheWholeTreeOnly) {
  for (const char* name : {"Options.lcf", "Options.lcf_tmp", "FAV0.LCF", "notes.txt", "Sub\\Extra.lcf", "Quillo.LarkwellConfig"}) {
    WriteText(scratch_ / name, "x");
  }
  std::vector<std::string> listed = ListDataTree(scratch_.path().c_str(), {"*.lcf"});
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"FAV0.LCF", "Options.lcf", "Sub\\Extra.lcf"}))
      << "a temporary \"_tmp\" file is not a data file";
  EXPECT_TRUE(ListDataTree(scratch_.path().c_str(), {}).empty()) << "an empty keep list keeps nothing";
  EXPECT_EQ(ListDataTree(scratch_.path().c_str(), {"*.*"}).size(), 6u);
}

TEST_F(ConfigTransferTest, WholeFilesAreBoundedAndAFileBeingWrittenFails) {
  WriteText(scratch_ / "a.lcf", "0123456789");
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile((scratch_ / "a.lcf").c_str(), 10, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
  EXPECT_FALSE(ReadWholeFile((scratch_ / "a.lcf").c_str(), 9, bytes)) << "over the limit";
  EXPECT_FALSE(ReadWholeFile((scratch_ / "missing.lcf").c_str(), 10, bytes));
  HANDLE writer = CreateFileA((scratch_ / "a.lcf").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ReadWholeFile((scratch_ / "a.lcf").c_str(), 10, bytes)) << "held open for writing by another";
  CloseHandle(writer);
  ASSERT_TRUE(WriteWholeFile((scratch_ / "b.lcf").c_str(), Bytes{}));
  EXPECT_EQ(ReadText(scratch_ / "b.lcf"), "");
}

TEST_F(ConfigTransferTest, DamagedPendingArchiveIsOnlyDeleted) {
  WriteText(scratch_ / "Options.lcf", "mine");
  Bytes hostile = ArchiveOf("Quillo", {{"Options.lcf", "theirs"}, {"..\\Escaped.lcf", "evil"}});
  ASSERT_TRUE(WriteWholeFile(pending_, hostile));
  ApplyPendingArchive(pending_);
  EXPECT_FALSE(FileExists(pending_));
  EXPECT_EQ(ReadText(scratch_ / "Options.lcf"), "mine");
  EXPECT_FALSE(FileExists(scratch_ / "..\\Escaped.lcf"));

  Bytes truncated = ArchiveOf("Quillo", {{"Options.lcf", "theirs"}});
  truncated.resize(truncated.size() - 5);
  ASSERT_TRUE(WriteWholeFile(pending_, truncated));
  ApplyPendingArchive(pending_);
  EXPECT_FALSE(FileExists(pending_));
  EXPECT_EQ(ReadText(scratch_ / "Options.lcf"), "mine");
}

TEST_F(ConfigTransferTest, ArchiveOfAnotherProductIsUnpackedWithoutRemovingFiles) {
  WriteText(scratch_ / "Options.lcf", "mine");
  WriteText(scratch_ / "Custom.lcf", "kept");
  ASSERT_TRUE(WriteWholeFile(pending_, ArchiveOf("Other", {{"Options.lcf", "theirs"}, {"New/Deep/FAV0.lcf", "fav"}})));
  ApplyPendingArchive(pending_);
  EXPECT_FALSE(FileExists(pending_));
  EXPECT_EQ(ReadText(scratch_ / "Options.lcf"), "theirs");
  EXPECT_EQ(ReadText(scratch_ / "New\\Deep\\FAV0.lcf"), "fav") << "missing sub-folders are created";
  EXPECT_EQ(ReadText(scratch_ / "Custom.lcf"), "kept");
}

}  // namespace
}  // namespace lwf
