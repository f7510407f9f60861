#include "script_commands.h"

#include <windows.h>

#include <atomic>

#include "desktop_user.h"
#include "file_commands.h"
#include "link_commands.h"
#include "logon_trigger.h"
#include "program_commands.h"
#include "registry_commands.h"
#include "setup_error_code.h"
#include "setup_state.h"

namespace quillo::setup {
namespace {

using Arguments = const ScriptArguments&;

struct CommandRow {
  Keyword keyword;
  bool asDesktopUser;  // with #REALUSER# 1: runs impersonating the logged-on user
  int (*run)(Arguments a);
};

const CommandRow kCommands[] = {
    {Keyword::kCloseProgram, false, [](Arguments a) { return CloseProgramCommand(a[0]); }},
    {Keyword::kCreateDir, true, [](Arguments a) { return CreateDirCommand(a[0]); }},
    {Keyword::kCopyFile, true, [](Arguments a) { return CopyFileCommand(a[0], a[1], a[2]); }},
    {Keyword::kCreateLink, true,
     [](Arguments a) { return CreateLinkCommand(a[0], a[1], a[2], a[3]); }},
    {Keyword::kChangeNotify, true, [](Arguments a) { return ChangeNotifyCommand(a[0]); }},
    {Keyword::kCreateRegValSz, true,
     [](Arguments a) { return CreateRegValSzCommand(a[0], a[1], a[2], a[3], a[4]); }},
    {Keyword::kCreateRegValDW, true,
     [](Arguments a) { return CreateRegValDWCommand(a[0], a[1], a[2], a[3], a[4]); }},
    {Keyword::kCopyUninstall, false, [](Arguments a) { return CopyUninstallCommand(a[0]); }},
    {Keyword::kCreateSetupInfo, false,
     [](Arguments a) { return CreateSetupInfoCommand(a[0], a[1]); }},
    {Keyword::kDeleteFile, true, [](Arguments a) { return DeleteFileCommand(a[0]); }},
    {Keyword::kRemoveDir, true, [](Arguments a) { return RemoveDirCommand(a[0]); }},
    {Keyword::kDeleteRegKey, true,
     [](Arguments a) { return DeleteRegKeyCommand(a[0], a[1], a[2]); }},
    {Keyword::kDeleteRegVal, true,
     [](Arguments a) { return DeleteRegValCommand(a[0], a[1], a[2], a[3]); }},
    {Keyword::kPatchFile, true, [](Arguments a) { return PatchFileCommand(a[0], a[1], a[2]); }},
    {Keyword::kStopService, false, [](Arguments a) { return StopServiceCommand(a[0]); }},
    {Keyword::kRun, true, [](Arguments a) { return RunCommand(a[0], a[1], a[2]); }},
    {Keyword::kCall, true, [](Arguments a) { return CallCommand(a[0], a[1], a[2], a[3], a[4]); }},
    {Keyword::kLogonTrigger, false,
     [](Arguments a) { return LogonTriggerCommand(a[0], a[1], a[2]); }},
};


int RunPhaseHere(int phase) {
  SetupState& state = Setup();
  ScriptContext context{state.script.data(), state.mode, state.variables, state.conditions};
  WindowsCommandHost host;
  const int code = RunScriptPhase(context, phase, host, state.progress.load());
  state.errorCode = code;
  return code;
}

// Phase workers still running: they are counted so that the wizard can wait for a phase's
// result and Setup does not end while one still uses the shared state.
std::atomic<int> g_phaseWorkers{0};

DWORD WINAPI PhaseThreadMain(void* param) {
  RunPhaseHere(static_cast<int>(reinterpret_cast<INT_PTR>(param)));
  --g_phaseWorkers;
  return 0;
}

}  // namespace

int WindowsCommandHost::Execute(Keyword keyword, const ScriptArguments& arguments) {
  for (const CommandRow& row : kCommands) {
    if (row.keyword != keyword) continue;
    const DesktopUserScope asDesktopUser(row.asDesktopUser &&
                                         Setup().variables.Number("#REALUSER#") == 1);
    return row.run(arguments);
  }
  return kNoError;
}

bool WindowsCommandHost::Cancelled() const { return Setup().cancel; }

void WindowsCommandHost::Note(const char* text) { Setup().notes.emplace_back(text); }

int RunPhase(int phase, bool onThread) {
  SetupState& state = Setup();
  state.errorCode = kNoError;
  if (state.script.empty()) return state.errorCode = kPhaseMissing;
  if (!onThread) return RunPhaseHere(phase);
  ++g_phaseWorkers;
  HANDLE thread = CreateThread(nullptr, 0, PhaseThreadMain,
                               reinterpret_cast<void*>(static_cast<INT_PTR>(phase)), 0, nullptr);
  if (thread == nullptr) {
    --g_phaseWorkers;
    return state.errorCode = kThreadNotStarted;
  }
  CloseHandle(thread);
  return kNoError;
}

}  // namespace quillo::setup

namespace quillo::setup {

bool WaitForPhaseWorkers(unsigned long timeoutMs) {
  const DWORD start = GetTickCount();
  while (g_phaseWorkers.load() > 0) {
    if (GetTickCount() - start >= timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  return true;
}

}  // namespace quillo::setup
