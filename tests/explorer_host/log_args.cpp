// log_args: a logging program for the scenarios. Appends its command line (after the program
// name) in UTF-8 as one line to the file beside itself named like itself with ".log" added, then
// exits. Registered as a file association, an alternate file manager or copied as Quillo.exe, it
// shows what the extension started and with which arguments, names no code page holds included.
#include <windows.h>

#include <cstring>
#include <cwchar>

int main() {
  wchar_t path[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wcscat(path, L".log");
  const wchar_t* line = GetCommandLineW();
  // Skip the program name, quoted or not.
  if (*line == L'"') {
    line = std::wcschr(line + 1, L'"');
    line = line ? line + 1 : L"";
  } else {
    while (*line && *line != L' ') ++line;
  }
  while (*line == L' ') ++line;
  static char utf8[8192];
  if (WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8, nullptr, nullptr) == 0) {
    return 1;
  }
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(file, utf8, static_cast<DWORD>(std::strlen(utf8)), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return 0;
}
