// Shortcuts, programs, services and the logon task against the real shell and system of Wine.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "link_commands.h"
#include "logon_trigger.h"
#include "program_commands.h"
#include "setup_error_code.h"
#include "setup_win_test_support.h"

namespace quillo::setup::test {
namespace {

using Microsoft::WRL::ComPtr;

class LinkAndProgramCommands : public SetupStateTest {
 protected:
  ScratchFolder dir{"links"};
};

std::string ResolveLink(const std::string& path) {
  CoInitialize(nullptr);
  std::string target;
  {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char resolved[MAX_PATH] = "";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(wide, STGM_READ)) &&
        SUCCEEDED(link->GetPath(resolved, MAX_PATH, nullptr, 0))) {
      target = resolved;
    }
  }
  CoUninitialize();
  return target;
}

TEST_F(LinkAndProgramCommands, InternetShortcutEndsWithTheAddress) {
  EXPECT_EQ(CreateLinkCommand("HTTP://www.larkwell.com", (dir / "menu\\Web Site").c_str(), "", ""),
            kNoError);
  EXPECT_EQ(ReadText(dir / "menu\\Web Site.url"),
            "[InternetShortcut]\r\nURL=HTTP://www.larkwell.com");
}

TEST_F(LinkAndProgramCommands, ShellLinkResolvesToItsTarget) {
  const std::string target = dir / "Program.exe";
  WriteText(target, "x");
  EXPECT_EQ(CreateLinkCommand(target.c_str(), (dir / "new folder\\Program").c_str(), "-a", ""),
            kNoError);
  ASSERT_TRUE(FileExists(dir / "new folder\\Program.lnk"));
  EXPECT_EQ(ResolveLink(dir / "new folder\\Program.lnk"), target);

  // The secure scheme is no Internet shortcut: a shell link is made.
  EXPECT_EQ(CreateLinkCommand("https://www.larkwell.com", (dir / "Secure").c_str(), "", ""),
            kNoError);
  EXPECT_TRUE(FileExists(dir / "Secure.lnk"));
  EXPECT_FALSE(FileExists(dir / "Secure.url"));
  EXPECT_EQ(ChangeNotifyCommand(dir.path().c_str()), kNoError);
}

TEST_F(LinkAndProgramCommands, CallReportsTheExitCode) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  const std::string cmd = std::string(system) + "\\cmd.exe";
  EXPECT_EQ(CallCommand(cmd.c_str(), "/c exit 3", "", "hidden", ""), kNoError);
  EXPECT_STREQ(setup::Setup().variables.Text("#LASTERROR#"), "00000003");
  EXPECT_EQ(CallCommand(cmd.c_str(), "/c exit 0", dir.path().c_str(), "H", ""), kNoError);
  EXPECT_STREQ(setup::Setup().variables.Text("#LASTERROR#"), "0");
  EXPECT_EQ(CallCommand((dir / "missing.exe").c_str(), "", "", "", ""), kCallNotStarted);
  EXPECT_EQ(CallCommand((dir / "missing.exe").c_str(), "", "", "", "silent"), kNoError);
}

TEST_F(LinkAndProgramCommands, ServicesAndProgramsThatAreNotThere) {
  EXPECT_EQ(StopServiceCommand("QuilloNoSuchService"), kNoError);
  EXPECT_EQ(CloseProgramCommand("QuilloNoSuchProgram"), kNoError);
}

TEST_F(LinkAndProgramCommands, LogonTriggerWithoutProgramOnlyDeletesTheTask) {
  EXPECT_EQ(RegisterLogonTask("QuilloSetupTestTask", "", ""), 0);
  EXPECT_EQ(LogonTriggerCommand("QuilloSetupTestTask", "", ""), kNoError);
}

}  // namespace
}  // namespace quillo::setup::test
