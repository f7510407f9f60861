// Setup's command line, the older-version rule, patch records and the uninstaller marker.
#include <gtest/gtest.h>

#include <string>

#include "older_version.h"
#include "patch_records.h"
#include "setup_command_line.h"
#include "setup_mode_marker.h"

namespace quillo::setup {
namespace {

TEST(SetupCommandLineTest, FolderMakesSilentAndDottedNamesAreInitFiles) {
  SetupCommandLine c = ParseSetupCommandLine("C:\\Program Files\\Quillo");
  EXPECT_TRUE(c.silent);
  EXPECT_EQ(c.installPath, "C:\\Program Files\\Quillo");

  c = ParseSetupCommandLine("\"C:\\Q\" \"D:\\a.ini\", C:\\b.txt");
  EXPECT_TRUE(c.silent);
  EXPECT_EQ(c.installPath, "C:\\Q");
  EXPECT_EQ(c.initFiles, (std::vector<std::string>{"D:\\a.ini", "C:\\b.txt"}));

  c = ParseSetupCommandLine("C:\\dir.d\\opts.ini, C:\\Later");
  EXPECT_TRUE(c.silent);  // the first dot-free argument is the folder, even when later
  EXPECT_EQ(c.installPath, "C:\\Later");
  EXPECT_EQ(c.initFiles, (std::vector<std::string>{"C:\\dir.d\\opts.ini"}));

  c = ParseSetupCommandLine("x.ini");
  EXPECT_FALSE(c.silent);
  EXPECT_EQ(c.initFiles.size(), 1u);

  c = ParseSetupCommandLine(("C:\\Q, " + std::string(300, 'a') + ".ini").c_str());
  EXPECT_TRUE(c.initFiles.empty());  // too long for a 260-character entry
  EXPECT_FALSE(ParseSetupCommandLine("").silent);
}

TEST(SetupCommandLineTest, ProgramNameIsSkipped) {
  EXPECT_STREQ(SkipProgramName("\"C:\\Program Files\\Setup.exe\"  C:\\Q"), "C:\\Q");
  EXPECT_STREQ(SkipProgramName("Setup.exe\tx"), "x");
  EXPECT_STREQ(SkipProgramName("\"unterminated"), "");
  EXPECT_STREQ(SkipProgramName(""), "");
}

TEST(SetupCommandLineTest, WorkDirIsReadWithinBounds) {
  SetupCommandLine c = ParseSetupCommandLine("-workdir \"C:\\Work\" C:\\Target");
  EXPECT_TRUE(c.hasWorkDir);
  EXPECT_EQ(c.workDir, "C:\\Work");
  EXPECT_EQ(c.installPath, "C:\\Target");

  c = ParseSetupCommandLine("-WORKDIR");  // nothing after the switch
  EXPECT_TRUE(c.hasWorkDir);
  EXPECT_EQ(c.workDir, "");
  EXPECT_FALSE(c.silent);

  c = ParseSetupCommandLine(("-WORKDIR \"" + std::string(400, 'w')).c_str());
  EXPECT_EQ(c.workDir.size(), 259u);
  EXPECT_FALSE(c.silent);
}

TEST(OlderVersionTest, RemoveBoundAndUpgradeMessage) {
  const OlderVersionFacts remove{std::nullopt, std::string("4.9")};
  EXPECT_TRUE(DecideOlderVersion(remove, {true, true, 4, 9}).mustRemove);
  EXPECT_TRUE(DecideOlderVersion(remove, {false, true, 3, 12}).mustRemove);
  EXPECT_FALSE(DecideOlderVersion(remove, {true, true, 5, 0}).mustRemove);
  EXPECT_TRUE(DecideOlderVersion(remove, {true, false, 0, 0}).mustRemove);
  EXPECT_FALSE(DecideOlderVersion(remove, {false, false, 0, 0}).mustRemove);

  const OlderVersionFacts upgrade{std::string("5.2 Please read this."), std::nullopt};
  const OlderVersionDecision d = DecideOlderVersion(upgrade, {true, true, 5, 2});
  EXPECT_TRUE(d.showUpgradeMessage);
  EXPECT_FALSE(d.mustRemove);
  EXPECT_EQ(d.upgradeText, std::string("Please read this."));
  EXPECT_FALSE(DecideOlderVersion(upgrade, {true, true, 5, 3}).showUpgradeMessage);

  EXPECT_FALSE(DecideOlderVersion({}, {true, false, 0, 0}).mustRemove);
}

TEST(PatchRecordsTest, RecordsMustFitThePatchFile) {
  const std::uint8_t good[] = {4, 0, 0, 0, 2, 0, 0, 0, 'h', 'i', 0, 1, 0, 0, 0, 0, 0, 0};
  const auto records = ParsePatchRecords(good, sizeof good);
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 2u);
  EXPECT_EQ((*records)[0].offset, 4u);
  EXPECT_EQ((*records)[0].length, 2u);
  EXPECT_EQ((*records)[0].bytes[1], 'i');
  EXPECT_EQ((*records)[1].offset, 256u);
  EXPECT_EQ((*records)[1].length, 0u);

  const std::uint8_t tooLong[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'x'};
  EXPECT_FALSE(ParsePatchRecords(tooLong, sizeof tooLong));
  const std::uint8_t cutHeader[] = {0, 0, 0, 0, 1, 0};
  EXPECT_FALSE(ParsePatchRecords(cutHeader, sizeof cutHeader));
  EXPECT_TRUE(ParsePatchRecords(nullptr, 0));
}

TEST(ModeMarkerTest, EveryMarkerIsReplaced) {
  const std::string text = "..SetupMode:Setup..SetupMode:Setu..SetupMode:Setup";
  std::vector<std::uint8_t> image(text.begin(), text.end());
  EXPECT_EQ(MarkAsUninstaller(image), 2u);
  EXPECT_EQ(std::string(image.begin(), image.end()),
            "..SetupMode:Unins..SetupMode:Setu..SetupMode:Unins");
  EXPECT_FALSE(IsUninstallMarker("SetupMode:Setup"));
  EXPECT_TRUE(IsUninstallMarker("SetupMode:Unins"));
}

}  // namespace
}  // namespace quillo::setup
