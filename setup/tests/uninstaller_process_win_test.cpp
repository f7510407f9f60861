// How the uninstaller starts its temporary copy and its self-deletion batch, and how a program
// is run the shell's way when CreateProcessWithTokenW is missing.
#include "desktop_user.h"
#include "setup_win_test_support.h"
#include "uninstaller_process.h"
#include "win_handle.h"

namespace quillo::setup::test {
namespace {

bool WaitForFile(const std::string& path) {
  for (int round = 0; round < 100 && !FileExists(path); ++round) Sleep(50);
  return FileExists(path);
}

// The temporary folder moved into a scratch folder for one test.
class TemporaryFolderHere {
 public:
  explicit TemporaryFolderHere(const std::string& folder) {
    previous_.resize(MAX_PATH);
    previous_.resize(GetEnvironmentVariableA("TMP", previous_.data(), MAX_PATH));
    SetEnvironmentVariableA("TMP", (folder + "\\").c_str());
  }
  ~TemporaryFolderHere() { SetEnvironmentVariableA("TMP", previous_.empty() ? nullptr : previous_.c_str()); }
  TemporaryFolderHere(const TemporaryFolderHere&) = delete;
  TemporaryFolderHere& operator=(const TemporaryFolderHere&) = delete;

 private:
  std::string previous_;
};

using UninstallerProcess = SetupStateTest;

TEST_F(UninstallerProcess, TheBatchRunsFromAFolderWithBlanks) {
  ScratchFolder scratch("batch with blanks");
  WriteText(scratch / "Auto Del.bat", "echo done>\"marker.txt\"\r\n");
  // A program named after the path's first word must not be what runs instead.
  const std::string decoy = scratch.path().substr(0, scratch.path().find(' ')) + ".exe";
  ASSERT_TRUE(CopyFileA(BuiltChecker().c_str(), decoy.c_str(), FALSE));
  ASSERT_TRUE(StartBatchFile((scratch / "Auto Del.bat").c_str(), scratch.path().c_str()));
  SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
  EXPECT_TRUE(WaitForFile(scratch / "marker.txt"));
  DeleteFileA(decoy.c_str());
}

TEST_F(UninstallerProcess, AStaleCopyThatCannotBeReplacedIsNotStarted) {
  ScratchFolder scratch("stale temp");
  const TemporaryFolderHere temp(scratch.path());
  ASSERT_TRUE(CopyFileA(BuiltChecker().c_str(), (scratch / "_LWUItmp.exe").c_str(), FALSE));
  // Another process holds the stale copy: it can be read and run, not replaced.
  FileHandle holder(CreateFileA((scratch / "_LWUItmp.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_FALSE(StartTemporaryUninstaller());
}

TEST_F(UninstallerProcess, TheShellWayStillReadsTheExitCode) {
  ScratchFolder data("shell way");
  DWORD exitCode = 99;
  ASSERT_EQ(RunThroughShell(BuiltChecker().c_str(), data.path().c_str(), &exitCode), 0);
  EXPECT_EQ(exitCode, 0u) << "a writable folder";
  exitCode = 99;
  ASSERT_EQ(RunThroughShell(BuiltChecker().c_str(), (data / "missing").c_str(), &exitCode), 0);
  EXPECT_NE(exitCode, 0u) << "a missing folder";
  EXPECT_NE(exitCode, 99u);
  EXPECT_EQ(RunThroughShell((data / "nothing.exe").c_str(), "", &exitCode), 1);
}

}  // namespace
}  // namespace quillo::setup::test
