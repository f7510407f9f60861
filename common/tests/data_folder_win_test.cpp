#include "data_folder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "win_test_support.h"

namespace quillo {
namespace {

using test::FileExists;
using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

// A product name of this test's own, so the installed product's record is never touched.
const std::string kTestProduct = "QuilloTest" + std::to_string(GetCurrentProcessId());

REGSAM ViewFlag(RegistryView view) { return view == RegistryView::k32Bit ? KEY_WOW64_32KEY : 0; }

// Writes (or with size 0 deletes) the test product's value in a registry view.
void PutRecordValue(const void* bytes, DWORD size, REGSAM viewFlag) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Larkwell", 0, nullptr, 0,
                            KEY_SET_VALUE | viewFlag, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (size == 0) {
    RegDeleteValueA(key, kTestProduct.c_str());
  } else {
    RegSetValueExA(key, kTestProduct.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(bytes), size);
  }
  RegCloseKey(key);
}

class DataFolderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    PutRecordValue(nullptr, 0, 0);
    PutRecordValue(nullptr, 0, KEY_WOW64_32KEY);
  }
  void Install(const SetupInfoRecord& r) { PutRecordValue(&r, sizeof r, ViewFlag(kSetupInfoView)); }
};

std::string UserName() {
  char name[256];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? name : "";
}

std::string AppData() {
  char path[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path);
  return path;
}

TEST_F(DataFolderTest, RecordOfWrongSizeResolvesNothing) {
  ProgramFolders folders;
  std::strcpy(folders.dataFolder, "untouched");
  std::strcpy(folders.installFolder, "untouched");
  EXPECT_FALSE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));  // no value
  std::string shortRecord(1000, '\0');
  PutRecordValue(shortRecord.data(), 1000, ViewFlag(kSetupInfoView));
  SetupInfoRecord record;
  EXPECT_EQ(ReadSetupInfo(kTestProduct.c_str(), record, kSetupInfoView), 1000u);
  EXPECT_FALSE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));
  EXPECT_STREQ(folders.dataFolder, "untouched");
  EXPECT_STREQ(folders.installFolder, "untouched");
}

TEST_F(DataFolderTest, LongerValueIsCutToTheRecord) {
  std::string longRecord(1400, 'q');
  longRecord[20 + 259] = '\0';  // installFolder stays a terminated text
  PutRecordValue(longRecord.data(), 1400, ViewFlag(kSetupInfoView));
  SetupInfoRecord record;
  EXPECT_EQ(ReadSetupInfo(kTestProduct.c_str(), record, kSetupInfoView), 1326u);
  EXPECT_EQ(record.finishChoices[2], 0x7171);
}

TEST_F(DataFolderTest, DefaultDataFolderIsInApplicationData) {
  SetupInfoRecord r{};
  r.recordMarker = 1;
  std::strcpy(r.installFolder, "C:\\Program Files\\Quillo");
  Install(r);
  ProgramFolders folders{};
  ASSERT_TRUE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));
  EXPECT_EQ(std::string(folders.dataFolder), AppData() + "\\Larkwell\\" + kTestProduct);
  EXPECT_STREQ(folders.installFolder, "C:\\Program Files\\Quillo");
}

TEST_F(DataFolderTest, PerUserCustomPath) {
  ScratchFolder dir("custom");
  SetupInfoRecord r{};
  r.recordMarker = 1;
  r.customDataFolder = 1;
  r.perUserDataFolder = 1;
  std::strcpy(r.customDataPath, dir.path().c_str());
  std::strcpy(r.installFolder, dir.path().c_str());
  Install(r);
  ProgramFolders folders{};
  ASSERT_TRUE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));
  EXPECT_EQ(std::string(folders.dataFolder), dir.path() + "\\" + UserName());
}

TEST_F(DataFolderTest, SeedingCopiesInitFilesWithoutReplacing) {
  ScratchFolder install("install");
  ScratchFolder data("data");
  CreateDirectoryA((install / "Init").c_str(), nullptr);
  WriteText(install / "Init\\Options.lcf", "from init");
  WriteText(install / "Init\\FAV0.lcf", "favourite");
  WriteText(data / "Options.lcf", "user's own");
  SetupInfoRecord r{};
  r.recordMarker = 1;
  r.customDataFolder = 1;
  std::strcpy(r.customDataPath, data.path().c_str());
  std::strcpy(r.installFolder, install.path().c_str());
  Install(r);
  ProgramFolders folders{};
  ASSERT_TRUE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));
  EXPECT_EQ(ReadText(data / "Options.lcf"), "user's own");
  EXPECT_EQ(ReadText(data / "FAV0.lcf"), "favourite");
  // A file added to Init later still reaches the data folder at the next resolution.
  WriteText(install / "Init\\MRU0.lcf", "recent");
  ASSERT_TRUE(ResolveFolders(kTestProduct.c_str(), kSetupInfoView, folders));
  EXPECT_EQ(ReadText(data / "MRU0.lcf"), "recent");
}

TEST_F(DataFolderTest, EachBuildReadsTheViewSetupWrites) {
  SetupInfoRecord inView{};
  inView.recordMarker = 1;
  std::strcpy(inView.installFolder, "C:\\In32BitView");
  PutRecordValue(&inView, sizeof inView, KEY_WOW64_32KEY);
  SetupInfoRecord other = inView;
  std::strcpy(other.installFolder, "C:\\In64BitView");
  PutRecordValue(&other, sizeof other, KEY_WOW64_64KEY);
  SetupInfoRecord read;
  ASSERT_EQ(ReadSetupInfo(kTestProduct.c_str(), read, kSetupInfoView), sizeof read);
  // The 32-bit Setup writes into the 32-bit view: both builds of the extension read that one.
  EXPECT_STREQ(read.installFolder, "C:\\In32BitView");
  PutRecordValue(nullptr, 0, KEY_WOW64_64KEY);
}

}  // namespace
}  // namespace quillo
