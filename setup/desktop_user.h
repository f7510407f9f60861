// Acting as the user who owns the desktop rather than as the elevated account Setup runs under.
#pragma once

#include <windows.h>

#include <atomic>

namespace quillo::setup {

// On: impersonates the owner of the "Progman" window on this thread; Off: reverts. Below
// Windows Vista (code 600) both do nothing and succeed.
bool ImpersonateDesktopUser(bool on);

// Impersonation for the lifetime of the object.
class DesktopUserScope {
 public:
  explicit DesktopUserScope(bool active) : active_(active) {
    if (active_) ImpersonateDesktopUser(true);
  }
  ~DesktopUserScope() {
    if (active_) ImpersonateDesktopUser(false);
  }
  DesktopUserScope(const DesktopUserScope&) = delete;
  DesktopUserScope& operator=(const DesktopUserScope&) = delete;

 private:
  bool active_;
};

// Starts program with parameters under the desktop owner's token (ShellExecuteA when
// CreateProcessWithTokenW is missing). With exitCode, waits for the end while pumping messages.
// 0 on success, 1 on failure.
int RunAsDesktopUser(const char* program, const char* parameters, DWORD* exitCode);

// The same through the shell's default verb, as the current user (the way without
// CreateProcessWithTokenW); with exitCode, waits as above.
int RunThroughShell(const char* program, const char* parameters, DWORD* exitCode);

// Waits for a process to end while pumping this thread's messages, sleeping between checks.
// False when `stop` became set first.
bool WaitPumpingMessages(HANDLE process, DWORD sleepMs, const std::atomic<bool>* stop = nullptr);

}  // namespace quillo::setup
