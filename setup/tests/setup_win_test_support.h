// Shared set-up of the Setup engine's Windows tests: the process-wide state as Setup.exe would
// have it, registry helpers that name the view, and a program file with a payload.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup_payload.h"
#include "setup_state.h"
#include "win_test_support.h"

namespace quillo::setup::test {

using quillo::test::FileExists;
using quillo::test::ReadText;
using quillo::test::ScratchFolder;
using quillo::test::WriteText;

inline bool UnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// CheckFolderAccess.exe built beside this test's folder: a windowless program whose exit code
// tells whether the folder given is writable.
inline std::string BuiltChecker() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  folder.resize(folder.rfind('\\'));
  return folder.substr(0, folder.rfind('\\')) + "\\CheckFolderAccess.exe";
}

// A fresh state for each test: no variables, no progress page, flags cleared.
class SetupStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetupState& s = setup::Setup();
    s.variables = VariableTable();
    s.conditions = ConditionStack();
    s.instance = GetModuleHandleA(nullptr);
    GetModuleFileNameA(nullptr, s.programPath, sizeof s.programPath);
    s.is64 = UnderWow64();
    s.reboot = false;
    s.cancel = false;
    s.windowsVersion = 610;
    s.mode = SetupMode::kSetup;
    s.script.clear();
    s.errorCode = 0;
  }
};

// Registry value in a named view (0 default, KEY_WOW64_32KEY or KEY_WOW64_64KEY).
inline bool ReadRegistry(HKEY root, const char* key, const char* name, REGSAM view,
                         std::string* text, DWORD* number = nullptr) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return false;
  BYTE data[1400] = {};
  DWORD size = sizeof data, type = 0;
  const bool found = RegQueryValueExA(opened, name, nullptr, &type, data, &size) == ERROR_SUCCESS;
  RegCloseKey(opened);
  if (found && text) *text = std::string(reinterpret_cast<char*>(data), size ? size - 1 : 0);
  if (found && number) *number = *reinterpret_cast<DWORD*>(data);
  return found;
}

inline bool KeyExists(HKEY root, const char* key, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// A stand-in program file: some bytes with the setup mode marker, then a payload.
inline std::string WriteProgramWithPayload(const ScratchFolder& dir,
                                           const std::vector<PayloadFile>& files) {
  const std::string image = "MZ stand-in image SetupMode:Setup more data";
  std::vector<std::uint8_t> bytes(image.begin(), image.end());
  AppendPayload(bytes, files);
  const std::string path = dir / "Program.exe";
  WriteText(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

inline PayloadFile Entry(const char* name, const std::string& text) {
  return PayloadFile{name, std::vector<std::uint8_t>(text.begin(), text.end())};
}

}  // namespace quillo::setup::test
