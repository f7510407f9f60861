// CheckFolderAccess.exe <folder>: exit code 0 when a file can be created in the folder, else 1.
// Setup runs it as the logged-on user to test the data folder the user picked. No window.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "setup_command_line.h"

namespace {

// The folder argument without surrounding quotes or trailing blanks.
bool FolderArgument(const char* text, char (&folder)[MAX_PATH]) {
  std::size_t length = std::strlen(text);
  if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
    ++text;
    length -= 2;
  }
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
  if (length == 0 || length >= sizeof folder) return false;
  std::memcpy(folder, text, length);
  folder[length] = '\0';
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH];
  if (!FolderArgument(quillo::setup::SkipProgramName(GetCommandLineA()), folder)) return 1;
  char path[MAX_PATH];
  const int written = std::snprintf(path, sizeof path, "%s\\test.tmp", folder);
  if (written < 0 || static_cast<std::size_t>(written) >= sizeof path) return 1;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(file);
  DeleteFileA(path);
  return 0;
}
