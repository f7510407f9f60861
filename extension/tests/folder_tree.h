// A scratch folder tree under the temporary folder for the Windows tests, removed with
// everything in it when the test ends (read-only, hidden and system files included).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "menu/core/scan_path.h"

namespace quillo::test {

// Paths are UTF-8 in the tests and reach the file system in their real (UTF-16) form.
inline std::wstring W(const std::string& utf8) {
  wchar_t wide[2 * kScanPathSize];
  if (MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 2 * kScanPathSize) == 0) return L"";
  return wide;
}

class Tree {
 public:
  Tree() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "quillo_scan_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter_++);
    CreateDirectoryW(W(root_).c_str(), nullptr);
  }
  ~Tree() { Remove(W(root_)); }
  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
  void Folder(const std::string& relative) const { CreateDirectoryW(W(Path(relative)).c_str(), nullptr); }
  void File(const std::string& relative, DWORD bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
    const std::wstring path = W(Path(relative));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
    SetFilePointer(file, static_cast<LONG>(bytes), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    SetFileAttributesW(path.c_str(), attributes);
  }

 private:
  static void Remove(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = path + L"\\" + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
        else DeleteFileW(child.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
  }
  static inline int counter_ = 0;
  std::string root_;
};

}  // namespace quillo::test
