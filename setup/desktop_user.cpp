#include "desktop_user.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "setup_state.h"
#include "wide_text.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

constexpr int kVistaCode = 600;

// The token of the process that owns the desktop window.
FileHandle DesktopOwnerToken(DWORD access) {
  HWND desktop = FindWindowA("Progman", nullptr);
  if (desktop == nullptr) return FileHandle();
  DWORD processId = 0;
  GetWindowThreadProcessId(desktop, &processId);
  FileHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return FileHandle();
  HANDLE token = nullptr;
  if (!OpenProcessToken(process.get(), access, &token)) return FileHandle();
  return FileHandle(token);
}

using CreateProcessWithTokenWFn = BOOL(WINAPI*)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID,
                                                LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

}  // namespace

bool ImpersonateDesktopUser(bool on) {
  if (Setup().windowsVersion < kVistaCode) return true;
  if (!on) return RevertToSelf() != FALSE;
  const FileHandle token = DesktopOwnerToken(TOKEN_DUPLICATE | TOKEN_QUERY);
  return token && ImpersonateLoggedOnUser(token.get());
}

bool WaitPumpingMessages(HANDLE process, DWORD sleepMs, const std::atomic<bool>* stop) {
  while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
    if (stop && stop->load()) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(sleepMs);
  }
  return true;
}

int RunThroughShell(const char* program, const char* parameters, DWORD* exitCode) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI | (exitCode ? SEE_MASK_NOCLOSEPROCESS : 0);  // as ShellExecuteA
  execute.lpFile = program;
  execute.lpParameters = parameters;
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&execute) || reinterpret_cast<INT_PTR>(execute.hInstApp) <= 32) return 1;
  if (exitCode == nullptr) return 0;
  if (execute.hProcess == nullptr) return 1;  // handed to a program already running
  const FileHandle process(execute.hProcess);
  WaitPumpingMessages(process.get(), 100);
  return GetExitCodeProcess(process.get(), exitCode) ? 0 : 1;
}

int RunAsDesktopUser(const char* program, const char* parameters, DWORD* exitCode) {
  HMODULE advapi = GetModuleHandleA("Advapi32.dll");
  auto createWithToken = reinterpret_cast<CreateProcessWithTokenWFn>(
      advapi ? reinterpret_cast<void*>(GetProcAddress(advapi, "CreateProcessWithTokenW")) : nullptr);
  if (createWithToken == nullptr) return RunThroughShell(program, parameters, exitCode);
  const FileHandle token = DesktopOwnerToken(TOKEN_DUPLICATE);
  if (!token) return 1;
  HANDLE primary = nullptr;
  if (!DuplicateTokenEx(token.get(), TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                        TokenPrimary, &primary)) {
    return 1;
  }
  const FileHandle primaryToken(primary);
  char commandLine[1040];
  const bool hasParameters = parameters != nullptr && parameters[0] != '\0';
  std::snprintf(commandLine, sizeof commandLine, "\"%s\"%s%s", program, hasParameters ? " " : "",
                hasParameters ? parameters : "");
  std::wstring wide = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!createWithToken(primaryToken.get(), 0, nullptr, wide.data(), 0, nullptr, nullptr,
                       &startup, &info)) {
    return 1;
  }
  const FileHandle process(info.hProcess), thread(info.hThread);
  if (exitCode) {
    WaitPumpingMessages(process.get(), 100);
    if (!GetExitCodeProcess(process.get(), exitCode)) return 1;
  }
  return 0;
}

}  // namespace quillo::setup
