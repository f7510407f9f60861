#include "program_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "ascii_text.h"
#include "desktop_user.h"
#include "setup_error_code.h"
#include "setup_info_record.h"
#include "setup_state.h"
#include "win_handle.h"

namespace quillo::setup {
namespace {

constexpr DWORD kCloseWaitMs = 60000;
constexpr int kExitChecks = 100;

// Owns a service-manager handle.
class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE h) : handle_(h) {}
  ~ServiceHandle() {
    if (handle_) CloseServiceHandle(handle_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

bool ContainsIgnoringCase(const char* text, const char* part) {
  const std::size_t length = std::strlen(part);
  for (; *text; ++text) {
    if (EqualIgnoringCase(text, part, length)) return true;
  }
  return length == 0;
}

struct WindowSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK FindFrameworkWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char className[32], title[MAX_PATH];
  title[0] = '\0';
  if (GetClassNameA(window, className, sizeof className) &&
      std::strcmp(className, "LWFWindow") == 0 && GetWindowTextA(window, title, sizeof title) &&
      ContainsIgnoringCase(title, search->title)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Asks the window's program to quit; 1 when it still runs after 100 checks 100 ms apart.
int QuitAndWait(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  SendMessageA(window, WM_QUIT, 0, 0);
  FileHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return 0;
  for (int check = 0; check < kExitChecks; ++check) {
    DWORD code = 0;
    if (!GetExitCodeProcess(process.get(), &code) || code != STILL_ACTIVE) return 0;
    Sleep(100);
  }
  return 1;
}

// The name of the registry value at index under HKLM\Software\Larkwell, opening the key anew.
bool VendorValueName(DWORD index, char (&name)[MAX_PATH]) {
  RegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
    return false;
  }
  DWORD length = sizeof name;
  return RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

}  // namespace

int CloseProgramCommand(const char* name) {
  ShowStatus(kStatusLine, "Closing program...");
  int result = 0;
  char valueName[MAX_PATH];
  for (DWORD index = 0; VendorValueName(index, valueName); ++index) {
    if (std::strstr(valueName, name) == nullptr) continue;
    const DWORD start = GetTickCount();
    for (;;) {
      WindowSearch search{valueName, nullptr};
      EnumWindows(FindFrameworkWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found == nullptr) break;
      result = QuitAndWait(search.found);
      if (GetTickCount() - start >= kCloseWaitMs) break;
    }
  }
  return result == 1 ? kProgramStillRunning : kNoError;
}

int StopServiceCommand(const char* name) {
  ShowStatusFormat(kStatusLine, "Stopping service: %s", name);
  ServiceHandle manager(OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
  if (manager.get() == nullptr) return kServiceManagerUnavailable;
  ServiceHandle service(OpenServiceA(manager.get(), name, SERVICE_ALL_ACCESS));
  if (service.get() != nullptr) {
    SERVICE_STATUS status{};
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);  // not waited for
  }
  return kNoError;
}

int RunCommand(const char* file, const char* parameters, const char* option) {
  if (Setup().windowsVersion >= 600 && std::strstr(file, ".exe") != nullptr &&
      !EqualIgnoringCase(option, "Elevated")) {
    return RunAsDesktopUser(file, parameters, nullptr);
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, nullptr, file, parameters, nullptr, SW_SHOWNORMAL));
  return result <= 32 ? 1 : 0;
}

int CallCommand(const char* program, const char* parameters, const char* folder,
                const char* show, const char* option) {
  char commandLine[1040];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\" %s", program, parameters);
  ShowStatusFormat(kStatusLine, "Executing: %s", commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (show[0] == 'H' || show[0] == 'h') {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, folder[0] ? folder : nullptr, &startup, &info)) {
    return EqualIgnoringCase(option, "SILENT") ? kNoError : kCallNotStarted;
  }
  const FileHandle process(info.hProcess), thread(info.hThread);
  if (!WaitPumpingMessages(process.get(), 50, &Setup().cancel)) {
    TerminateProcess(process.get(), STILL_ACTIVE);
    WaitForSingleObject(process.get(), 1000);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  char lastError[16] = "0";
  if (exitCode != 0) std::snprintf(lastError, sizeof lastError, "%08lx", exitCode);
  Setup().variables.Set("#LASTERROR#", lastError);
  return kNoError;
}

}  // namespace quillo::setup
