// Self-registration of the built DLL, run in a process whose HKEY_CLASSES_ROOT and
// HKEY_LOCAL_MACHINE are redirected to scratch keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry_sandbox.h"

namespace quillo {
namespace {

#ifdef _WIN64
constexpr char kClassId[] = "{5E2B7C14-64D0-4A6F-B3C8-1D92E07F4A65}";
constexpr char kModuleName[] = "Quillo64.dll";
#else
constexpr char kClassId[] = "{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}";
constexpr char kModuleName[] = "Quillo32.dll";
#endif
constexpr char kApproved[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

using EntryFn = HRESULT(WINAPI*)();

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(QUILLO_EXTENSION_PATH);
    ASSERT_NE(module_, nullptr);
    registerServer_ = Entry("DllRegisterServer");
    unregisterServer_ = Entry("DllUnregisterServer");
    ASSERT_NE(registerServer_, nullptr);
    ASSERT_NE(unregisterServer_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  EntryFn Entry(const char* name) {
    return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  std::string ModulePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(module_, path, sizeof path);
    return path;
  }

  HMODULE module_ = nullptr;
  EntryFn registerServer_ = nullptr;
  EntryFn unregisterServer_ = nullptr;
};

TEST_F(Registration, WritesExactlyTheScriptsKeysAndRemovesThemAgain) {
  test::RegistrySandbox sandbox;
  HKEY approved = test::RegistrySandbox::Create(kApproved, sandbox.machine());
  ASSERT_NE(approved, nullptr);
  // Something foreign under the handler parents and an outdated class key.
  RegCloseKey(test::RegistrySandbox::Create("*\\ShellEx\\ContextMenuHandlers\\Other", sandbox.classes()));
  RegCloseKey(test::RegistrySandbox::Create(std::string("CLSID\\") + kClassId + "\\Stale", sandbox.classes()));

  ASSERT_EQ(registerServer_(), S_OK);
  const std::string id = kClassId, clsid = std::string("CLSID\\") + kClassId;
  std::vector<std::string> expected = {
      "*", "*\\ShellEx", "*\\ShellEx\\ContextMenuHandlers", "*\\ShellEx\\ContextMenuHandlers\\Other",
      "*\\ShellEx\\ContextMenuHandlers\\QuilloExt", "*\\ShellEx\\ContextMenuHandlers\\QuilloExt|@=" + id,
      "AppID", "AppID\\" + id, "AppID\\" + id + "|@=Quillo", std::string("AppID\\") + kModuleName,
      std::string("AppID\\") + kModuleName + "|AppID=" + id,
      "CLSID", clsid, clsid + "|@=QuilloExt Class", clsid + "|AppID=" + id,
      clsid + "\\InprocServer32", clsid + "\\InprocServer32|@=" + ModulePath(),
      clsid + "\\InprocServer32|ThreadingModel=Apartment",
      clsid + "\\ProgID", clsid + "\\ProgID|@=Quillo.QuilloExt.1",
      clsid + "\\TypeLib", clsid + "\\TypeLib|@={8D41C6A2-2F7B-4E95-A1D3-6C58B0E9F274}",
      clsid + "\\VersionIndependentProgID", clsid + "\\VersionIndependentProgID|@=Quillo.QuilloExt",
      "Drive", "Drive\\ShellEx", "Drive\\ShellEx\\DragDropHandlers",
      "Drive\\ShellEx\\DragDropHandlers\\QuilloExt", "Drive\\ShellEx\\DragDropHandlers\\QuilloExt|@=" + id,
      "Folder", "Folder\\ShellEx", "Folder\\ShellEx\\ContextMenuHandlers",
      "Folder\\ShellEx\\ContextMenuHandlers\\QuilloExt",
      "Folder\\ShellEx\\ContextMenuHandlers\\QuilloExt|@=" + id, "Folder\\ShellEx\\DragDropHandlers",
      "Folder\\ShellEx\\DragDropHandlers\\QuilloExt", "Folder\\ShellEx\\DragDropHandlers\\QuilloExt|@=" + id,
      "Quillo.QuilloExt", "Quillo.QuilloExt.1", "Quillo.QuilloExt.1\\CLSID",
      "Quillo.QuilloExt.1\\CLSID|@=" + id, "Quillo.QuilloExt.1|@=QuilloExt Class",
      "Quillo.QuilloExt\\CLSID", "Quillo.QuilloExt\\CLSID|@=" + id, "Quillo.QuilloExt\\CurVer",
      "Quillo.QuilloExt\\CurVer|@=Quillo.QuilloExt.1", "Quillo.QuilloExt|@=QuilloExt Class"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(test::RegistrySandbox::Dump(sandbox.classes()), expected);
  EXPECT_EQ(test::RegistrySandbox::Dump(approved),
            std::vector<std::string>{"|" + id + "=Quillo Shell Extension"});

  // Registering again gives the same result (the class key is replaced as a whole).
  ASSERT_EQ(registerServer_(), S_OK);
  EXPECT_EQ(test::RegistrySandbox::Dump(sandbox.classes()), expected);

  ASSERT_EQ(unregisterServer_(), S_OK);
  const std::vector<std::string> left = {
      "*", "*\\ShellEx", "*\\ShellEx\\ContextMenuHandlers", "*\\ShellEx\\ContextMenuHandlers\\Other",
      "AppID", "CLSID", "Drive", "Drive\\ShellEx", "Drive\\ShellEx\\DragDropHandlers", "Folder",
      "Folder\\ShellEx", "Folder\\ShellEx\\ContextMenuHandlers", "Folder\\ShellEx\\DragDropHandlers"};
  EXPECT_EQ(test::RegistrySandbox::Dump(sandbox.classes()), left);
  EXPECT_TRUE(test::RegistrySandbox::Dump(approved).empty());
  RegCloseKey(approved);
}

// The Approved key cannot be opened for writing (here: it does not exist under the redirected
// HKEY_LOCAL_MACHINE): registration is refused before HKEY_CLASSES_ROOT is touched.
TEST_F(Registration, WithoutWriteAccessToTheMachineKeyNothingIsWritten) {
  test::RegistrySandbox sandbox;
  EXPECT_EQ(registerServer_(), E_ACCESSDENIED);
  EXPECT_TRUE(test::RegistrySandbox::Dump(sandbox.classes()).empty());
}

}  // namespace
}  // namespace quillo
