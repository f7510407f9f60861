// Helpers for the Windows tests: a scratch folder under the temporary folder, removed afterwards.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace quillo::test {

// A UTF-8 text (a test's literal) as UTF-16, for names that no code page holds.
inline std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length - 1 : 0);
  return wide;
}

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteText(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteText(const std::string& path, const std::string& text) {
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) return;
  WriteText(std::wstring(wide), text);
}

inline std::string ReadText(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  ReadFile(f, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(f);
  return std::string(buffer, read);
}

class ScratchFolder {
 public:
  explicit ScratchFolder(const char* tag) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "quillo_" + tag + "_" + std::to_string(GetCurrentProcessId()) +
            "_" + std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    std::string from = path_;
    from.push_back('\0');  // double-NUL terminated list
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // A path below the folder with a name in its real (UTF-16) form.
  std::wstring operator/(const std::wstring& name) const { return Wide(path_) + L"\\" + name; }

 private:
  std::string path_;
};

}  // namespace quillo::test
