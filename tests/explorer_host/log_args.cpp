// log_args: a logging program for the scenarios. Appends its command line (after the program
// name) as one line to the file beside itself named like itself with ".log" added, then exits.
// Registered as a file association, an alternate file manager or copied as Quillo.exe, it shows
// what the extension started and with which arguments.
#include <windows.h>

#include <cstring>

int main() {
  char path[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::strcat(path, ".log");
  const char* line = GetCommandLineA();
  // Skip the program name, quoted or not.
  if (*line == '"') {
    line = std::strchr(line + 1, '"');
    line = line ? line + 1 : "";
  } else {
    while (*line && *line != ' ') ++line;
  }
  while (*line == ' ') ++line;
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return 0;
}
