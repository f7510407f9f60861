// The registry commands, the setup information and the older-version detection against the
// Wine prefix's registry, in both views.
#include "registry_commands.h"

#include "older_version_removal.h"
#include "setup_error_code.h"
#include "setup_info.h"
#include "setup_win_test_support.h"

namespace quillo::setup::test {
namespace {

constexpr const char* kTestKey = "Software\\QuilloSetupTest";

class RegistryCommands : public SetupStateTest {
 protected:
  void TearDown() override {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | view, &key) ==
          ERROR_SUCCESS) {
        RegDeleteTreeA(key, "QuilloSetupTest");
        RegCloseKey(key);
      }
    }
  }
};

TEST_F(RegistryCommands, ValuesLandInTheNamedView) {
  ASSERT_TRUE(setup::Setup().is64) << "the test prefix is a 64-bit one";
  EXPECT_EQ(CreateRegValSzCommand("LM", kTestKey, "Name32", "text 32", ""), kNoError);
  EXPECT_EQ(CreateRegValSzCommand("hkey_local_machine", kTestKey, "Name64", "text 64", "X64"),
            kNoError);
  std::string text;
  EXPECT_TRUE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Name32", KEY_WOW64_32KEY, &text));
  EXPECT_EQ(text, "text 32");
  EXPECT_FALSE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Name32", KEY_WOW64_64KEY, &text));
  EXPECT_TRUE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Name64", KEY_WOW64_64KEY, &text));
  EXPECT_EQ(text, "text 64");
  EXPECT_FALSE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Name64", KEY_WOW64_32KEY, &text));

  EXPECT_EQ(CreateRegValSzCommand("LM", kTestKey, "", "default", ""), kNoError);
  EXPECT_TRUE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, nullptr, 0, &text));
  EXPECT_EQ(text, "default");

  DWORD number = 99;
  EXPECT_EQ(CreateRegValDWCommand("LM", kTestKey, "One", "1", ""), kNoError);
  EXPECT_TRUE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "One", 0, nullptr, &number));
  EXPECT_EQ(number, 1u);
  EXPECT_EQ(CreateRegValDWCommand("LM", kTestKey, "Word", "abc", ""), kNoError);
  EXPECT_TRUE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Word", 0, nullptr, &number));
  EXPECT_EQ(number, 0u);

  EXPECT_EQ(DeleteRegValCommand("LM", kTestKey, "Name64", "x64"), kNoError);
  EXPECT_FALSE(ReadRegistry(HKEY_LOCAL_MACHINE, kTestKey, "Name64", KEY_WOW64_64KEY, &text));
  EXPECT_EQ(DeleteRegValCommand("LM", "Software\\NoSuchKeyHere", "x", ""), kNoError);
}

TEST_F(RegistryCommands, UnknownRootsGiveTheirCodes) {
  EXPECT_EQ(CreateRegValSzCommand("HKLM", kTestKey, "a", "b", ""), kUnknownRootText);
  EXPECT_EQ(CreateRegValDWCommand("XX", kTestKey, "a", "1", ""), kUnknownRootNumber);
  EXPECT_EQ(DeleteRegKeyCommand("", kTestKey, ""), kDeleteKeyUnknownRoot);
  EXPECT_EQ(DeleteRegValCommand("CR ", kTestKey, "a", ""), kDeleteValueUnknownRoot);
}

TEST_F(RegistryCommands, DeleteRegKeyRemovesASubtreeInThe64BitView) {
  const std::string a = std::string(kTestKey) + "\\Tree\\A";
  CreateRegValSzCommand("LM", (a + "\\Deep\\Deeper").c_str(), "v", "1", "x64");
  CreateRegValSzCommand("LM", (std::string(kTestKey) + "\\Tree\\B").c_str(), "v", "1", "x64");
  CreateRegValSzCommand("LM", (std::string(kTestKey) + "\\Tree").c_str(), "v", "32", "");
  const std::string tree = std::string(kTestKey) + "\\Tree";
  ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, (a + "\\Deep\\Deeper").c_str(), KEY_WOW64_64KEY));
  EXPECT_EQ(DeleteRegKeyCommand("LM", tree.c_str(), "x64"), kNoError);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, tree.c_str(), KEY_WOW64_64KEY));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, tree.c_str(), KEY_WOW64_32KEY));  // other view
  EXPECT_EQ(DeleteRegKeyCommand("LM", tree.c_str(), ""), kNoError);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, tree.c_str(), KEY_WOW64_32KEY));
  EXPECT_EQ(DeleteRegKeyCommand("LM", tree.c_str(), "x64"), kNoError);  // missing: no error
}

TEST_F(RegistryCommands, SetupInformationAndOlderVersions) {
  VariableTable& v = setup::Setup().variables;
  v.Set("#FORWHO#", "1");
  v.Set("#CUSTOMLOC#", "1");
  v.Set("#INSTALLPATH#", "C:\\Program Files\\QuilloTest");
  v.Set("#CUSTOMPATH#", "C:\\QuilloData");
  v.Set("#VERURL#", "http://example.test/v.txt");
  const char* product = "QuilloSetupTestProduct";
  EXPECT_EQ(CreateSetupInfoCommand(product, "4.9.1"), kNoError);
  SetupInfoRecord record;
  ASSERT_EQ(ReadSetupInfo(product, record, RegistryView::kDefault), sizeof record);
  EXPECT_EQ(record.recordMarker, 1);
  EXPECT_EQ(record.versionMajor, 4);
  EXPECT_EQ(record.versionMinor, 9);
  EXPECT_EQ(record.installScope, 1);
  EXPECT_EQ(record.customDataFolder, 1);
  EXPECT_EQ(record.perUserDataFolder, -1);  // #INDIVIDUAL# undefined
  EXPECT_STREQ(record.installFolder, "C:\\Program Files\\QuilloTest");
  EXPECT_STREQ(record.versionCheckUrl, "http://example.test/v.txt");
  EXPECT_STREQ(record.downloadUrl, "");
  // A custom path with a per-user value other than 0 gets the user's sub-folder.
  EXPECT_EQ(std::string(v.Text("#CONFIGPATH#")).rfind("C:\\QuilloData\\", 0), 0u);

  // Version 4.9 with an uninstall key is older than the bound 4.9: it must be removed.
  v.Set("#PROGRAM#", product);
  v.Set("#REMOVE#", "4.9");
  const std::string uninstallKey =
      std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + product;
  CreateRegValSzCommand("LM", uninstallKey.c_str(), "UninstallString", "C:\\none.exe", "");
  EXPECT_TRUE(DetectOlderVersion().mustRemove);
  EXPECT_STREQ(v.Text("#REMAPP#"), product);
  CreateSetupInfoCommand(product, "5.0");
  EXPECT_FALSE(DetectOlderVersion().mustRemove);
  EXPECT_EQ(RemoveOlderVersion(), -2);  // the uninstaller named there does not exist

  DeleteRegValCommand("LM", kVendorKey, product, "");
  EXPECT_TRUE(DetectOlderVersion().mustRemove);  // a key without a record
  DeleteRegKeyCommand("LM", uninstallKey.c_str(), "");
  EXPECT_FALSE(DetectOlderVersion().mustRemove);
  EXPECT_EQ(RemoveOlderVersion(), -1);
}

}  // namespace
}  // namespace quillo::setup::test
