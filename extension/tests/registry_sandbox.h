// Redirects HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE of the test process to keys of its own
// under HKEY_CURRENT_USER (RegOverridePredefKey), so that registration and the setup
// information can be tested without touching the machine's registry or other tests.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quillo::test {

class RegistrySandbox {
 public:
  // With classesToo false only HKEY_LOCAL_MACHINE is redirected, so that the shell still finds
  // its classes.
  explicit RegistrySandbox(bool classesToo = true) {
    root_ = "Software\\QuilloTest\\" + std::to_string(GetCurrentProcessId());
    classes_ = Create(root_ + "\\HKCR");
    machine_ = Create(root_ + "\\HKLM");
    if (classesToo) RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
  }
  ~RegistrySandbox() {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(classes_);
    RegCloseKey(machine_);
    SHDeleteKeyA(HKEY_CURRENT_USER, root_.c_str());
  }
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  HKEY classes() const { return classes_; }
  HKEY machine() const { return machine_; }

  static HKEY Create(const std::string& path, HKEY parent = HKEY_CURRENT_USER) {
    HKEY key = nullptr;
    RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
  }

  // Every key below root as "path" and every string value as "path|name=value", sorted.
  static std::vector<std::string> Dump(HKEY root) {
    std::vector<std::string> lines;
    DumpInto(root, "", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
  }

 private:
  static void DumpInto(HKEY key, const std::string& path, std::vector<std::string>& lines) {
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
      DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
      if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
      data[dataSize] = 0;
      lines.push_back(path + "|" + (nameSize ? name : "@") + "=" + reinterpret_cast<char*>(data));
    }
    for (DWORD i = 0;; ++i) {
      DWORD nameSize = sizeof name;
      if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      const std::string child = path.empty() ? name : path + "\\" + name;
      lines.push_back(child);
      HKEY sub = nullptr;
      if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
        DumpInto(sub, child, lines);
        RegCloseKey(sub);
      }
    }
  }

  std::string root_;
  HKEY classes_ = nullptr;
  HKEY machine_ = nullptr;
};

}  // namespace quillo::test
