// The payload and file commands against the real file system of the Wine prefix.
#include "file_commands.h"

#include "payload_file.h"
#include "script_commands.h"
#include "setup_error_code.h"
#include "setup_win_test_support.h"

namespace quillo::setup::test {
namespace {

class FileCommands : public SetupStateTest {
 protected:
  void SetUp() override {
    SetupStateTest::SetUp();
    GetCurrentDirectoryA(sizeof previousDirectory_, previousDirectory_);
    SetCurrentDirectoryA(dir.path().c_str());  // loose files are found here
  }
  void TearDown() override { SetCurrentDirectoryA(previousDirectory_); }

  ScratchFolder dir{"files"};

 private:
  char previousDirectory_[MAX_PATH] = "";
};

TEST_F(FileCommands, PayloadEntriesAndLooseFiles) {
  strcpy(setup::Setup().programPath,
         WriteProgramWithPayload(dir, {Entry("Setup.lis", "payload script"),
                                       Entry("Quillo.exe", "payload program")})
             .c_str());
  auto loaded = LoadSetupFile("setup.LIS", 1);  // names ignore case
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::string(loaded->begin(), loaded->end()), std::string("payload script\0", 15));

  WriteText(dir / "Setup.lis", "loose script");
  loaded = LoadSetupFile("Setup.lis", 0);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::string(loaded->begin(), loaded->end()), "loose script");
  EXPECT_FALSE(LoadSetupFile("Missing.txt", 0));

  EXPECT_EQ(CopySetupFile("Quillo.exe", (dir / "out.exe").c_str()), kNoError);
  EXPECT_EQ(ReadText(dir / "out.exe"), "payload program");
  EXPECT_EQ(CopySetupFile("Nothing.dll", (dir / "n.dll").c_str()), kPayloadEntryMissing);

  strcpy(setup::Setup().programPath, (dir / "NoSuchProgram.exe").c_str());
  EXPECT_EQ(ReadPayloadEntry("Quillo.exe", (dir / "x").c_str(), PayloadRead::kToFile),
            kPayloadEntryMissing);
}

TEST_F(FileCommands, CopyFileIntoFolderOrOntoPath) {
  WriteText(dir / "Quillo.exe", "new program");
  CreateDirectoryA((dir / "Install").c_str(), nullptr);
  EXPECT_EQ(CopyFileCommand("Quillo.exe", (dir / "Install").c_str(), ""), kNoError);
  EXPECT_EQ(ReadText(dir / "Install\\Quillo.exe"), "new program");
  EXPECT_EQ(CopyFileCommand("Quillo.exe", (dir / "Install\\Renamed.bin").c_str(), ""), kNoError);
  EXPECT_EQ(ReadText(dir / "Install\\Renamed.bin"), "new program");
  EXPECT_EQ(CopyFileCommand("Absent.exe", (dir / "Install").c_str(), ""), kPayloadEntryMissing);
}

TEST_F(FileCommands, LockedDestination) {
  WriteText(dir / "Quillo32.dll", "new library");
  const std::string target = dir / "Quillo32dest.dll";
  WriteText(target, "old library");
  // Open as a loaded library is: readable and renamable, not writable.
  HANDLE lock = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CopyFileCommand("Quillo32.dll", target.c_str(), ""), kCopyFailed);
  EXPECT_FALSE(setup::Setup().reboot);
  EXPECT_EQ(CopyFileCommand("Quillo32.dll", target.c_str(), "SILENT"), kNoError);  // it exists

  EXPECT_EQ(CopyFileCommand("Quillo32.dll", target.c_str(), "rebootiflocked"), kNoError);
  EXPECT_TRUE(setup::Setup().reboot);
  EXPECT_EQ(ReadText(target), "new library");
  EXPECT_EQ(ReadText(target + ".bak"), "old library");
  CloseHandle(lock);

  // The .bak file is scheduled for deletion at the next start.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  char pending[8192] = {};
  DWORD size = sizeof pending - 2;
  RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                   reinterpret_cast<BYTE*>(pending), &size);
  RegCloseKey(key);
  bool scheduled = false;
  for (const char* p = pending; p < pending + size && *p; p += strlen(p) + 1) {
    scheduled = scheduled || std::string(p).find("Quillo32dest.dll.bak") != std::string::npos;
  }
  EXPECT_TRUE(scheduled);
}

TEST_F(FileCommands, FoldersAndDeletion) {
  EXPECT_EQ(CreateDirCommand((dir / "a\\b\\c").c_str()), kNoError);
  EXPECT_TRUE(FileExists(dir / "a\\b\\c"));
  EXPECT_EQ(CreateDirCommand(""), kCreateDirFailed);

  WriteText(dir / "a\\Quillo.exe", "1");
  WriteText(dir / "a\\Quillo32.dll", "2");
  WriteText(dir / "a\\Other.txt", "3");
  EXPECT_EQ(RemoveDirCommand((dir / "a").c_str()), kRemoveDirFailed);  // not empty
  EXPECT_EQ(DeleteFileCommand((dir / "a\\Quillo*.*").c_str()), kNoError);
  EXPECT_FALSE(FileExists(dir / "a\\Quillo.exe"));
  EXPECT_FALSE(FileExists(dir / "a\\Quillo32.dll"));
  EXPECT_TRUE(FileExists(dir / "a\\Other.txt"));
  EXPECT_TRUE(FileExists(dir / "a\\b"));  // folders match the pattern but are left alone
  EXPECT_EQ(DeleteFileCommand((dir / "none\\*.*").c_str()), kNoError);
  EXPECT_EQ(RemoveDirCommand((dir / "a\\b\\c").c_str()), kNoError);
  EXPECT_EQ(RemoveDirCommand((dir / "missing").c_str()), kNoError);
}

TEST_F(FileCommands, PatchFileAppliesRecordsAndRefusesDamagedOnes) {
  WriteText(dir / "App.exe", "0123456789");
  CreateDirectoryA((dir / "out").c_str(), nullptr);
  // Two records: "AB" at 2, "Z" at 12 (beyond the end: the file grows).
  WriteText(dir / "App.pat", std::string("\x02\0\0\0\x02\0\0\0AB\x0c\0\0\0\x01\0\0\0Z", 19));
  EXPECT_EQ(PatchFileCommand("App.exe", "App.pat", (dir / "out").c_str()), kNoError);
  EXPECT_EQ(ReadText(dir / "out\\App.exe"), std::string("01AB456789\0\0Z", 13));

  // A length that runs past the end of the patch file: refused, nothing patched.
  WriteText(dir / "Bad.pat", std::string("\x00\0\0\0\x40\0\0\0XY", 10));
  WriteText(dir / "Bad.exe", "unchanged");
  EXPECT_EQ(PatchFileCommand("Bad.exe", "Bad.pat", (dir / "out").c_str()), kPatchFailed);
  EXPECT_EQ(ReadText(dir / "out\\Bad.exe"), "unchanged");
  EXPECT_EQ(PatchFileCommand("App.exe", "Missing.pat", (dir / "out").c_str()), kPatchFailed);
}

TEST_F(FileCommands, CopyUninstallKeepsOnlyTheUninstallScript) {
  strcpy(setup::Setup().programPath,
         WriteProgramWithPayload(dir, {Entry("Uninstall.lis", "uninstall script"),
                                       Entry("Setup.lis", "setup script")})
             .c_str());
  const std::string target = dir / "Uninstall.exe";
  EXPECT_EQ(CopyUninstallCommand(target.c_str()), kNoError);
  const std::string written = ReadText(target);
  EXPECT_EQ(written.find("SetupMode:Setup"), std::string::npos);
  EXPECT_NE(written.find("SetupMode:Unins"), std::string::npos);
  const std::string header = PayloadHeaderText();
  EXPECT_EQ(written.find(header), written.rfind(header));
  const std::string entry = std::string("Uninstall.lis\0\x10\0\0\0uninstall script", 34);
  EXPECT_EQ(written.substr(written.size() - entry.size()), entry);  // no trailer

  strcpy(setup::Setup().programPath, target.c_str());  // the uninstaller reads its own script
  auto script = LoadSetupFile("Uninstall.lis", 0);
  ASSERT_TRUE(script);
  EXPECT_EQ(std::string(script->begin(), script->end()), "uninstall script");
  EXPECT_FALSE(LoadSetupFile("Setup.lis", 0));
}

TEST_F(FileCommands, PhaseRunsTheCommandsOfTheScript) {
  const std::string script =
      "PhaseBegin 0\r\nSet #DIR#, " + dir.path() + "\r\nPhaseEnd\r\n"
      "PhaseBegin 1\r\n"
      "CreateDir #DIR#\\made\r\n"
      "If #64#, =, 7\r\nCreateDir #DIR#\\skipped\r\nEndif\r\n"
      "CopyFile Missing.txt, #DIR#\\made\r\n"
      "CreateDir #DIR#\\after failure\r\n"
      "PhaseEnd\r\n";
  setup::Setup().script.assign(script.begin(), script.end());
  setup::Setup().script.push_back('\0');
  setup::Setup().variables.Set("#64#", "1");
  EXPECT_EQ(RunPhase(0, false), kNoError);
  EXPECT_EQ(RunPhase(1, false), kPayloadEntryMissing);
  EXPECT_EQ(setup::Setup().errorCode, kPayloadEntryMissing);
  EXPECT_TRUE(FileExists(dir / "made"));
  EXPECT_FALSE(FileExists(dir / "skipped"));
  EXPECT_FALSE(FileExists(dir / "after failure"));  // setup mode stops at the failure

  setup::Setup().mode = SetupMode::kUninstall;  // an uninstall runs on
  EXPECT_EQ(RunPhase(1, false), kPayloadEntryMissing);
  EXPECT_TRUE(FileExists(dir / "after failure"));
  EXPECT_EQ(RunPhase(2, false), kNoError);
}

}  // namespace
}  // namespace quillo::setup::test
