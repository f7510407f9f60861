// The built DLL's COM exports: the class object, and self-registration run in a process whose
// HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE are redirected to scratch keys.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../../common/tests/win_test_support.h"
#include "registry_sandbox.h"
#include "setup_info_record.h"
#include "shell_test_support.h"

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

class DllExports : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(QUILLO_EXTENSION_PATH);
    ASSERT_NE(module_, nullptr);
    registerServer_ = Entry("DllRegisterServer");
    unregisterServer_ = Entry("DllUnregisterServer");
    ASSERT_NE(registerServer_, nullptr);
    ASSERT_NE(unregisterServer_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  EntryFn Entry(const char* name) {
    return reinterpret_cast<EntryFn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  std::string ModulePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(module_, path, sizeof path);
    return path;
  }

  CLSID ClassId() {
    wchar_t wide[40];
    MultiByteToWideChar(CP_ACP, 0, kClassId, -1, wide, 40);
    CLSID id{};
    CLSIDFromString(wide, &id);
    return id;
  }

  HMODULE module_ = nullptr;
  EntryFn registerServer_ = nullptr;
  EntryFn unregisterServer_ = nullptr;
};

TEST_F(DllExports, WritesExactlyTheScriptsKeysAndRemovesThemAgain) {
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
TEST_F(DllExports, WithoutWriteAccessToTheMachineKeyNothingIsWritten) {
  test::RegistrySandbox sandbox;
  EXPECT_EQ(registerServer_(), E_ACCESSDENIED);
  EXPECT_TRUE(test::RegistrySandbox::Dump(sandbox.classes()).empty());
}

TEST_F(DllExports, ClassObjectIsCachedAndMakesHandlers) {
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  ASSERT_NE(getClassObject, nullptr);
  IClassFactory* first = nullptr;
  IClassFactory* second = nullptr;
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject(CLSID_ShellLink, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);
  ASSERT_EQ(getClassObject(ClassId(), IID_IClassFactory, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(getClassObject(ClassId(), IID_IClassFactory, reinterpret_cast<void**>(&second)), S_OK);
  EXPECT_EQ(first, second);

  IShellExtInit* init = nullptr;
  ASSERT_EQ(first->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
  // IShellExtInit is the object's first interface, IContextMenu its second; both one object.
  IContextMenu* menu = nullptr;
  IUnknown* viaInit = nullptr;
  IUnknown* viaMenu = nullptr;
  ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
  init->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaInit));
  menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaMenu));
  EXPECT_EQ(viaInit, viaMenu);
  EXPECT_EQ(static_cast<void*>(viaInit), static_cast<void*>(init));
  void* other = nullptr;
  EXPECT_EQ(init->QueryInterface(IID_IContextMenu2, &other), E_NOINTERFACE);
  for (IUnknown* held : {static_cast<IUnknown*>(menu), viaInit, viaMenu}) held->Release();
  EXPECT_EQ(init->Release(), 0u);

  IUnknown* outer = first;  // any object stands in for an aggregating one
  void* aggregated = nullptr;
  EXPECT_EQ(first->CreateInstance(outer, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(first->CreateInstance(outer, IID_IContextMenu, &aggregated), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(aggregated, nullptr);
  first->Release();
  second->Release();
}

// The hooks of an invocation point into the module: unloading it removes them. A hook left
// behind would crash the thread at its next sent message on Windows; Wine loads the module again
// to call it, which shows as the module being loaded after the message.
TEST_F(DllExports, UnloadingRemovesTheHooks) {
  test::RegistrySandbox sandbox(false);
  test::ScratchFolder scratch("unload");
  test::WriteText(scratch / "a.txt", "a");
  SetupInfoRecord record{};
  record.recordMarker = 1;
  record.customDataFolder = 1;
  std::strcpy(record.installFolder, scratch.path().c_str());
  std::strcpy(record.customDataPath, scratch.path().c_str());
  HKEY vendor = test::RegistrySandbox::Create("Software\\Larkwell", sandbox.machine());
  RegSetValueExA(vendor, "Quillo", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record), sizeof record);
  RegCloseKey(vendor);

  OleInitialize(nullptr);
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(ClassId(), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  IShellExtInit* init = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
  ASSERT_EQ(init->Initialize(nullptr, test::Selection({scratch / "a.txt"}).Get(), nullptr), S_OK);
  IContextMenu* handler = nullptr;
  ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&handler)), S_OK);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Open");
  EXPECT_EQ(handler->QueryContextMenu(menu, 1, 100, 200, CMF_NORMAL), MAKE_HRESULT(0, 0, 2));
  DestroyMenu(menu);
  handler->Release();
  init->Release();
  factory->Release();

  FreeLibrary(module_);
  module_ = nullptr;
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_NULL, 0, 0);  // passes the call-window-procedure hook, if any is left
  DestroyWindow(window);
  EXPECT_EQ(GetModuleHandleA(kModuleName), nullptr);
  OleUninitialize();
}

}  // namespace
}  // namespace quillo
