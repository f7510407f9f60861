// A scratch folder tree under the temporary folder for the Windows tests, removed with
// everything in it when the test ends (read-only, hidden and system files included).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace quillo::test {

class Tree {
 public:
  Tree() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "quillo_scan_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter_++);
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  ~Tree() { Remove(root_); }
  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
  void Folder(const std::string& relative) const { CreateDirectoryA(Path(relative).c_str(), nullptr); }
  void File(const std::string& relative, DWORD bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
    HANDLE file = CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
    SetFilePointer(file, static_cast<LONG>(bytes), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    SetFileAttributesA(Path(relative).c_str(), attributes);
  }

 private:
  static void Remove(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
        else DeleteFileA(child.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
  }
  static inline int counter_ = 0;
  std::string root_;
};

}  // namespace quillo::test
