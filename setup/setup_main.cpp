// Setup.exe: start-up, the silent install or the wizard, and the shutdown with the uninstaller's
// self-deletion and the restart question.
#include <windows.h>

#include <cstring>

#include "builtin_variables.h"
#include "payload_file.h"
#include "script_commands.h"
#include "setup_command_line.h"
#include "setup_error_code.h"
#include "setup_message.h"
#include "setup_mode_marker.h"
#include "setup_state.h"
#include "silent_install.h"
#include "system_version.h"
#include "uninstaller_process.h"
#include "win_handle.h"
#include "wizard.h"

// The mode marker lives in the initialised data; the uninstaller copy carries it patched.
extern "C" {
[[gnu::used]] char g_setupModeMarker[quillo::setup::kModeMarkerSize + 1] = "SetupMode:Setup";
}

namespace quillo::setup {
namespace {

constexpr int kExitRefused64Bit = 1;
constexpr int kExitStartupFailed = 13;

void ApplyCommandLine(const SetupCommandLine& line) {
  SetupState& state = Setup();
  if (line.hasWorkDir) SetCurrentDirectoryA(line.workDir.c_str());
  if (line.silent) {
    state.silent = true;
    state.variables.Set("#INSTALLPATH#", line.installPath.c_str());
  }
  for (const std::string& file : line.initFiles) {
    PathText entry{};
    std::strncpy(entry.data(), file.c_str(), entry.size() - 1);
    state.initFiles.push_back(entry);
  }
}

bool RunsUnderWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

bool LoadScript() {
  SetupState& state = Setup();
  const char* name = state.mode == SetupMode::kUninstall ? "Uninstall.lis" : "Setup.lis";
  std::optional<std::vector<std::uint8_t>> bytes = LoadSetupFile(name, 1);
  if (!bytes) return false;
  state.script.assign(bytes->begin(), bytes->end());
  state.script.back() = '\0';
  return true;
}

void CreateFonts() {
  SetupState& state = Setup();
  state.titleFont = CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 344;  // the structure without the padded border width of newer systems
  LOGFONTA font{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) &&
      metrics.lfMessageFont.lfFaceName[0] != '\0') {
    font = metrics.lfMessageFont;
  } else {
    font.lfHeight = 14;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, "MS Shell Dlg");
  }
  state.messageFont = CreateFontIndirectA(&font);
  font.lfWeight = FW_BOLD;
  state.boldMessageFont = CreateFontIndirectA(&font);
}

void DeleteFonts() {
  SetupState& state = Setup();
  for (HFONT* font : {&state.titleFont, &state.messageFont, &state.boldMessageFont}) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
}

// Steps 6 to 8 of the start-up; false when it failed. `relaunched` is set when this process
// has handed over to the temporary uninstaller copy.
bool StartUp(bool& relaunched) {
  SetupState& state = Setup();
  if (state.mode == SetupMode::kUninstall && !IsTemporaryUninstaller(state.programPath)) {
    relaunched = StartTemporaryUninstaller();
    if (!relaunched) state.errorCode = kTemporaryCopyNotStarted;
    return relaunched;
  }
  if (!LoadScript()) return false;
  if (RunPhase(0, false) != kNoError) return false;
  DefineDerivedVariables();
  return true;
}

bool EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  const FileHandle ownedToken(token);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  return LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
         AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
         GetLastError() == ERROR_SUCCESS;
}

int ShutDown(bool startupFailed, int exitCode) {
  SetupState& state = Setup();
  state.script.clear();
  DeleteFonts();
  if (startupFailed) {
    // An unattended install must not wait for a click: it reports the failure in its log.
    state.errorCode = kStartupFailed;
    if (state.silent) {
      WriteSetupLog();
    } else {
      ShowCodeMessage(nullptr, kStartupFailed);
    }
  }
  // Only the temporary copy removes itself: an Uninstall.exe that could not hand over stays.
  if (state.mode == SetupMode::kUninstall && IsTemporaryUninstaller(state.programPath)) {
    StartSelfDeletion();
  }
  if (state.reboot && ShowStringMessage(nullptr, 1011, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
    if (state.mode == SetupMode::kUninstall) Sleep(5);
    if (EnableShutdownPrivilege()) ExitWindowsEx(EWX_REBOOT, 0);
  }
  return exitCode;
}

int RunSetup(HINSTANCE instance) {
  SetupState& state = Setup();
  ApplyCommandLine(ParseSetupCommandLine(SkipProgramName(GetCommandLineA())));
  state.instance = instance;
  const DWORD length = GetModuleFileNameA(nullptr, state.programPath, sizeof state.programPath);
  if (length == 0 || length >= sizeof state.programPath) state.programPath[0] = '\0';
  state.mode = IsUninstallMarker(g_setupModeMarker) ? SetupMode::kUninstall : SetupMode::kSetup;
  state.windowsVersion = WindowsVersionCode(VersionReading::kExtensionAndSetup);
  state.is64 = RunsUnderWow64();
  DefineBuiltinVariables();
  bool relaunched = false;
  const bool started = StartUp(relaunched);
  if (relaunched) return 0;
  CreateFonts();
  if (!started) return ShutDown(true, kExitStartupFailed);
  if (state.is64 && state.variables.Number("#NOX64#") == 1) {
    if (!state.silent) ShowStringMessage(nullptr, 1043, MB_OK | MB_ICONHAND);
    return kExitRefused64Bit;
  }
  if (state.silent) {
    RunSilentInstall();
  } else {
    RunWizard();
  }
  return ShutDown(false, 0);
}

}  // namespace
}  // namespace quillo::setup

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return quillo::setup::RunSetup(instance);
}
