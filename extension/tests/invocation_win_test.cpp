// Initialize, QueryContextMenu and GetCommandString on real shell objects, with the setup
// information in a redirected HKEY_LOCAL_MACHINE and an options file in a scratch data folder.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "../../common/tests/win_test_support.h"
#include "context_menu_entries.h"
#include "data_file.h"
#include "extension_state.h"
#include "drop_operation.h"
#include "menu/drop_file_operation.h"
#include "menu/entry_menu.h"
#include "menu/tool_tip_window.h"
#include "quillo_ext.h"
#include "registry_sandbox.h"
#include "shell_test_support.h"
#include "setup_info_record.h"
#include "shell_item.h"
#include "system_colors.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

using test::Parse;
using test::Selection;

std::string ParsingName(LPCITEMIDLIST list) {
  char name[MAX_PATH] = "";
  GetDisplayName(Desktop(), list, name, sizeof name, SHGDN_FORPARSING);
  return name;
}

bool SameObject(LPCITEMIDLIST a, LPCITEMIDLIST b) {
  const HRESULT order = Desktop()->CompareIDs(0, a, b);
  return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
}

// A data object that offers given bytes as "Shell IDList Array", or nothing at all.
class BytesDataObject final : public IDataObject {
 public:
  explicit BytesDataObject(std::vector<BYTE> bytes, bool offer) : bytes_(std::move(bytes)), offer_(offer) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetData(FORMATETC*, STGMEDIUM* medium) override {
    if (!offer_) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC*) override { return offer_ ? S_OK : DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<BYTE> bytes_;
  bool offer_;
};

class Invocation : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    State().ModuleInstance = GetModuleHandleA(nullptr);
    CreateDirectoryA((scratch_ / "install").c_str(), nullptr);
    CreateDirectoryA((scratch_ / "data").c_str(), nullptr);
    CreateDirectoryA((scratch_ / "files").c_str(), nullptr);
    test::WriteText(scratch_ / "files\\a.txt", "a");
    test::WriteText(scratch_ / "files\\b.txt", "b");
    WriteSetupInfo(sizeof(SetupInfoRecord));
    WriteOptions([](OptionsRecord&) {});
  }
  void TearDown() override {
    State().Busy = 0;
    handler_.Reset();
    OleUninitialize();
  }

  void WriteSetupInfo(std::size_t size) {
    SetupInfoRecord record{};
    record.recordMarker = 1;
    record.customDataFolder = 1;
    std::strcpy(record.installFolder, (scratch_ / "install").c_str());
    std::strcpy(record.customDataPath, (scratch_ / "data").c_str());
    HKEY key = test::RegistrySandbox::Create("Software\\Larkwell", sandbox_.machine());
    RegSetValueExA(key, "Quillo", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                   static_cast<DWORD>(size));
    RegCloseKey(key);
  }

  template <typename Change>
  void WriteOptions(Change change) {
    OptionsRecord options{};
    InitOptions(options, ReadSystemColors());
    change(options);
    WriteDataFile((scratch_ / "data").c_str(), "Options", kNoIndex, &options, sizeof options);
  }

  HRESULT Initialize(IDataObject* data, LPCITEMIDLIST dropTarget = nullptr) {
    handler_.Reset();
    ComPtr<IShellExtInit> init;
    EXPECT_EQ(CQuilloExt::CreateInstance(IID_PPV_ARGS(&init)), S_OK);
    init.As(&handler_);
    return init->Initialize(dropTarget, data, nullptr);
  }

  HRESULT InitializeOn(const std::vector<std::string>& paths) {
    return Initialize(Selection(paths).Get());
  }
  HRESULT InitializeOn(const std::vector<std::wstring>& paths) {
    return Initialize(Selection(paths).Get());
  }

  template <typename Path>
  HRESULT DropOn(const Path& target, const std::vector<Path>& paths) {
    LPITEMIDLIST list = Parse(target);
    const HRESULT result = Initialize(Selection(paths).Get(), list);
    CoTaskMemFree(list);
    return result;
  }

  // QueryContextMenu on a menu holding two ordinary entries; returns the result code.
  int Query(UINT flags = CMF_NORMAL, UINT index = 1) {
    menu_.reset(CreatePopupMenu());
    AppendMenuA(menu_.get(), MF_STRING, 1, "Open");
    AppendMenuA(menu_.get(), MF_STRING, 2, "Properties");
    const HRESULT result = handler_->QueryContextMenu(menu_.get(), index, 100, 200, flags);
    EXPECT_TRUE(SUCCEEDED(result));
    return HRESULT_CODE(result);
  }

  std::string HelpText(UINT type, UINT cchMax = 64) {
    wchar_t text[64];
    std::wmemset(text, L'#', 64);
    text[63] = L'\0';
    EXPECT_EQ(handler_->GetCommandString(0, type, nullptr, reinterpret_cast<char*>(text), cchMax), S_OK);
    char narrow[128];
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
  }

  test::RegistrySandbox sandbox_{false};
  test::ScratchFolder scratch_{"invocation"};
  ComPtr<IContextMenu> handler_;
  MenuHandle menu_;
};

TEST_F(Invocation, ContextModeStartsFromTheFirstSelectedObject) {
  ASSERT_EQ(InitializeOn({scratch_ / "files\\b.txt", scratch_ / "files\\a.txt"}), S_OK);
  EXPECT_EQ(State().InvocationMode, kContextMode);
  EXPECT_EQ(ParsingName(AsIdList(State().TargetIdList.get())), scratch_ / "files\\b.txt");
  EXPECT_EQ(State().TargetAttributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER), SFGAO_FILESYSTEM);
  EXPECT_EQ(Query(), 2);
  EXPECT_EQ(State().RootItemData, 0xFFFF0064u);
  // The hooks sit on this thread; a second query replaces them.
  HHOOK first = State().CallWndProcHook.get();
  EXPECT_NE(first, nullptr);
  EXPECT_NE(State().MouseHook.get(), nullptr);
  EXPECT_NE(State().KeyboardHook.get(), nullptr);
  EXPECT_EQ(Query(), 2);
  EXPECT_NE(State().CallWndProcHook.get(), nullptr);
  // Metrics for the menus: sub open area width follows the item height.
  EXPECT_GE(State().Metrics.ItemHeight, 8);
  EXPECT_EQ(State().Options.subOpenAreaWidth, State().Metrics.ItemHeight);
  EXPECT_EQ(State().Metrics.ItemsPerColumn,
            (State().MonitorRect.bottom - State().MonitorRect.top) / State().Metrics.ItemHeight);
  EXPECT_EQ(std::string(State().OptionsProgramPath), scratch_ / "install\\Quillo.exe");
}

TEST_F(Invocation, PreparesTheItemModelWithTheFavoritesAndRecentItems) {
  // One favourite: the ID list bytes of a.txt, as the options program stores it.
  LPITEMIDLIST favorite = Parse(scratch_ / "files\\a.txt");
  WriteDataFile((scratch_ / "data").c_str(), "FAV", 0, favorite, IdListSize(favorite));
  WriteDataFile((scratch_ / "data").c_str(), "MRU", 0, favorite, IdListSize(favorite));
  CoTaskMemFree(favorite);
  WriteOptions([](OptionsRecord& o) { o.recentClearAtLogon = 1; });

  ASSERT_EQ(InitializeOn({scratch_ / "files\\b.txt"}), S_OK);
  const ModelContext& model = State().Model;
  EXPECT_EQ(model.options, &State().Options);
  EXPECT_EQ(std::string(model.dataFolder), scratch_ / "data");
  EXPECT_EQ(model.desktop, Desktop());
  EXPECT_EQ(model.invocationMode, kContextMode);
  EXPECT_EQ(model.itemsPerColumn, State().Metrics.ItemsPerColumn);
  ASSERT_NE(model.favorites.Item(0), nullptr);
  EXPECT_EQ(ParsingName(model.favorites.Item(0)), scratch_ / "files\\a.txt");
  // The recent list is cleared at every initialisation when asked to.
  EXPECT_EQ(model.recent.Item(0), nullptr);
  EXPECT_FALSE(test::FileExists(scratch_ / "data\\MRU0.lcf"));
}

TEST_F(Invocation, DragModeCollectsTheDroppedNames) {
  ASSERT_EQ(DropOn<std::string>(scratch_ / "files", {scratch_ / "files\\a.txt", scratch_ / "files\\b.txt"}), S_OK);
  EXPECT_EQ(State().InvocationMode, kDragMode);
  const wchar_t* names = State().DroppedNames.get();
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(std::wstring(names), scratch_ / L"files\\a.txt");
  names += std::wcslen(names) + 1;
  EXPECT_EQ(std::wstring(names), scratch_ / L"files\\b.txt");
  EXPECT_EQ(names[std::wcslen(names) + 1], L'\0');
  EXPECT_EQ(Query(), 4);
  EXPECT_TRUE(State().MoveToParentEnabled);
}

// Under a Western code page "файл.txt" reads "????.txt", which as a file operation's source
// names every four-letter ".txt" of its folder: the drop must carry the real names.
class UnicodeDrop : public Invocation {
 protected:
  void SetUp() override {
    Invocation::SetUp();
    for (const wchar_t* folder : {L"src", L"dest", L"dest\\Папка"}) {
      CreateDirectoryW((scratch_ / std::wstring(folder)).c_str(), nullptr);
    }
    for (const std::wstring& name : {kNamed, std::wstring(L"abcd.txt"), std::wstring(L"wxyz.txt")}) {
      test::WriteText(Src(name), "x");
    }
  }
  std::wstring Src(const std::wstring& name) { return scratch_ / (L"src\\" + name); }

  // A drop of src\файл.txt onto dest, then the operation of mode into dest\Папка (or, for
  // "Move To Parent", into the drop target's parent) as the action thread runs it.
  bool Drop(int mode, std::wstring target) {
    if (DropOn(target, {Src(kNamed)}) != S_OK || !State().DroppedNames) return false;
    LPITEMIDLIST targetList = Parse(target);
    wchar_t folder[kPathSize + 1];
    std::wcscpy(folder, (scratch_ / std::wstring(L"dest\\Папка")).c_str());
    const DropFileOperationInput in{mode, targetList, State().DroppedNames.get(),
                                    State().DroppedNamesSize, false};
    const bool ran = RunDropFileOperation(in, State().Options, folder, kPathSize + 1);
    CoTaskMemFree(targetList);
    return ran;
  }

  // After a drop of src\файл.txt into the folder `into`: that file arrived, left its folder
  // for a move, and neither neighbour went anywhere.
  void ExpectOnlyTheNamedFile(const std::wstring& into, bool moved) {
    EXPECT_TRUE(test::FileExists(scratch_ / (into + L"\\" + kNamed)));
    EXPECT_EQ(test::FileExists(Src(kNamed)), !moved);
    for (const wchar_t* neighbour : {L"abcd.txt", L"wxyz.txt"}) {
      EXPECT_TRUE(test::FileExists(Src(neighbour))) << neighbour;
      EXPECT_FALSE(test::FileExists(scratch_ / (into + L"\\" + neighbour))) << neighbour;
    }
  }

  const std::wstring kNamed = L"файл.txt";
};

TEST_F(UnicodeDrop, NamesReachTheFileOperationWhole) {
  ASSERT_EQ(DropOn(scratch_ / std::wstring(L"dest"), {Src(kNamed), Src(L"abcd.txt")}), S_OK);
  const wchar_t* names = State().DroppedNames.get();
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(std::wstring(names), Src(kNamed));
  EXPECT_EQ(std::wstring(names + std::wcslen(names) + 1), Src(L"abcd.txt"));
}

TEST_F(UnicodeDrop, EachOperationTakesExactlyTheNamedFile) {
  ASSERT_TRUE(Drop(kCopyToFolderMode, scratch_ / std::wstring(L"dest")));
  ExpectOnlyTheNamedFile(L"dest\\Папка", false);
  DeleteFileW((scratch_ / std::wstring(L"dest\\Папка\\файл.txt")).c_str());  // no conflict next
  ASSERT_TRUE(Drop(kMoveToFolderMode, scratch_ / std::wstring(L"dest")));
  ExpectOnlyTheNamedFile(L"dest\\Папка", true);
  // "Move To Parent" of a drop onto dest\Папка (a name without ANSI form too) goes into dest.
  test::WriteText(Src(kNamed), "x");
  ASSERT_TRUE(Drop(kMoveToParentMode, scratch_ / std::wstring(L"dest\\Папка")));
  ExpectOnlyTheNamedFile(L"dest", true);
}

TEST_F(UnicodeDrop, TheEmptiedSourceIsFoundByItsRealName) {
  CreateDirectoryW((scratch_ / std::wstring(L"src\\Ωμέγα")).c_str(), nullptr);
  const std::wstring only = scratch_ / std::wstring(L"src\\Ωμέγα\\日本語.txt");
  test::WriteText(only, "j");
  WriteOptions([](OptionsRecord& o) { o.dragDeleteEmptyFolder = 1; });
  ASSERT_EQ(DropOn(scratch_ / std::wstring(L"dest"), {only}), S_OK);
  wchar_t folder[kPathSize + 1];
  std::wcscpy(folder, (scratch_ / std::wstring(L"dest")).c_str());
  const DropFileOperationInput in{kMoveToFolderMode, nullptr, State().DroppedNames.get(),
                                  State().DroppedNamesSize, false};
  ASSERT_TRUE(RunDropFileOperation(in, State().Options, folder, kPathSize + 1));
  EXPECT_TRUE(test::FileExists(scratch_ / std::wstring(L"dest\\日本語.txt")));
  EXPECT_FALSE(test::FileExists(scratch_ / std::wstring(L"src\\Ωμέγα")));
  EXPECT_TRUE(test::FileExists(scratch_ / std::wstring(L"src")));
}

TEST_F(UnicodeDrop, HelpTextNamesTheRealPath) {
  ASSERT_EQ(InitializeOn(std::vector<std::wstring>{Src(kNamed)}), S_OK);
  ASSERT_EQ(Query(), 2);
  State().OwnMenuActive = 1;
  State().HighlightedItemId = kRootItemIdBase;
  wchar_t text[300] = L"";
  EXPECT_EQ(handler_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(text), 300), S_OK);
  EXPECT_EQ(std::wstring(text), Src(kNamed));
  State().OwnMenuActive = 0;
  State().HighlightedItemId = kNoItemId;
}

TEST_F(Invocation, StaysInertWhileBusyAndWithoutSetupInformation) {
  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  State().Busy = 1;
  ASSERT_EQ(InitializeOn({scratch_ / "files\\b.txt"}), S_OK);
  EXPECT_EQ(ParsingName(AsIdList(State().TargetIdList.get())), scratch_ / "files\\a.txt");
  EXPECT_EQ(Query(), 0);
  EXPECT_EQ(GetMenuItemCount(menu_.get()), 2);
  State().Busy = 0;

  WriteSetupInfo(sizeof(SetupInfoRecord) - 1);
  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  EXPECT_EQ(State().InvocationMode, kStayOut);
  EXPECT_EQ(Query(CMF_EXPLORE), 0);
  EXPECT_EQ(GetMenuItemCount(menu_.get()), 2);
}

TEST_F(Invocation, DataObjectsWithoutAUsableIdListArray) {
  BytesDataObject none({}, false);
  EXPECT_EQ(Initialize(&none), DV_E_FORMATETC);
  // A count whose offsets run past the block, and an empty selection: the extension stays out.
  BytesDataObject lying({0xFF, 0xFF, 0, 0, 12, 0, 0, 0, 12, 0, 0, 0, 0, 0}, true);
  EXPECT_EQ(Initialize(&lying), S_OK);
  EXPECT_EQ(State().InvocationMode, kStayOut);
  EXPECT_EQ(Query(CMF_EXPLORE), 0);
  BytesDataObject empty({0, 0, 0, 0, 8, 0, 0, 0, 0, 0}, true);
  EXPECT_EQ(Initialize(&empty), S_OK);
  EXPECT_EQ(State().InvocationMode, kStayOut);
}

TEST_F(Invocation, StartMenuFolderIsReplacedByTheConfiguredStartingPoint) {
  char startMenu[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startMenu, CSIDL_STARTMENU, TRUE));
  LPITEMIDLIST desktop = nullptr, bin = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
  SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin);

  // Empty: the Desktop's parsing name, which parses to the desktop folder.
  ASSERT_EQ(InitializeOn({startMenu}), S_OK);
  const std::string binName = State().SpecialFolderTable[1].parsingName;
  const std::string desktopName = State().SpecialFolderTable[0].parsingName;
  EXPECT_EQ(std::string(State().Options.startMenuFolder), desktopName);
  EXPECT_EQ(ParsingName(AsIdList(State().TargetIdList.get())), desktopName);
  EXPECT_EQ(binName.rfind("::{", 0), std::string::npos) << binName;

  // A parsable path.
  const std::string files = scratch_ / "files";
  WriteOptions([&](OptionsRecord& o) { std::strcpy(o.startMenuFolder, files.c_str()); });
  ASSERT_EQ(InitializeOn({startMenu}), S_OK);
  EXPECT_EQ(ParsingName(AsIdList(State().TargetIdList.get())), files);

  // The name of a special folder, in another case.
  WriteOptions([&](OptionsRecord& o) {
    std::strcpy(o.startMenuFolder, binName.c_str());
    CharUpperA(o.startMenuFolder);
  });
  ASSERT_EQ(InitializeOn({startMenu}), S_OK);
  EXPECT_TRUE(SameObject(AsIdList(State().TargetIdList.get()), bin));

  // Neither: the Desktop, which becomes the starting point.
  WriteOptions([](OptionsRecord& o) { std::strcpy(o.startMenuFolder, "No such place 7"); });
  ASSERT_EQ(InitializeOn({startMenu}), S_OK);
  EXPECT_TRUE(SameObject(AsIdList(State().TargetIdList.get()), desktop));
  EXPECT_EQ(std::string(State().Options.startMenuFolder), desktopName);
  CoTaskMemFree(desktop);
  CoTaskMemFree(bin);
}

TEST_F(Invocation, HelpTextOnlyForTheExtensionsOwnHighlightedEntry) {
  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  ASSERT_EQ(Query(), 2);
  EXPECT_EQ(HelpText(GCS_HELPTEXTW), std::string(63, '#'));  // OwnMenuActive clear
  State().OwnMenuActive = 1;
  State().HighlightedItemId = kNoItemId;
  EXPECT_EQ(HelpText(GCS_HELPTEXTW), std::string(63, '#'));
  State().HighlightedItemId = State().RootItemData;
  EXPECT_EQ(HelpText(GCS_VERBW), std::string(63, '#'));
  EXPECT_EQ(HelpText(GCS_HELPTEXTW), "Quillo options...");
  // An ANSI request gets wide text cut to its byte count: 8 bytes hold 3 characters and a NUL.
  EXPECT_EQ(HelpText(GCS_HELPTEXTA, 8), "Qui");
  State().HighlightedItemId = kRootItemIdBase;
  EXPECT_EQ(HelpText(GCS_HELPTEXTW), (scratch_ / "files\\a.txt").substr(0, 63));
  State().Busy = 1;
  State().HighlightedItemId = State().RootItemData;
  EXPECT_EQ(HelpText(GCS_HELPTEXTW), std::string(63, '#'));
  State().Busy = 0;
  State().OwnMenuActive = 0;
  State().HighlightedItemId = kNoItemId;
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  EXPECT_EQ(handler_->InvokeCommand(&invoke), E_FAIL);
}

TEST_F(Invocation, ShortcutsCountWithTheirTargets) {
  const std::string link = scratch_ / "files\\to_install.lnk", gone = scratch_ / "files\\gone.txt";
  test::WriteText(gone, "x");
  auto makeLink = [](const std::string& at, const std::string& target) {
    ComPtr<IShellLinkA> shellLink;
    ComPtr<IPersistFile> file;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shellLink)), S_OK);
    shellLink->SetPath(target.c_str());
    shellLink.As(&file);
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, at.c_str(), -1, wide, MAX_PATH);
    ASSERT_EQ(file->Save(wide, TRUE), S_OK);
  };
  makeLink(link, scratch_ / "install");
  makeLink(scratch_ / "files\\dangling.lnk", gone);
  DeleteFileA(gone.c_str());

  ASSERT_EQ(InitializeOn({link}), S_OK);
  EXPECT_EQ(State().TargetAttributes & (kLinkAttribute | SFGAO_FOLDER), kLinkAttribute | SFGAO_FOLDER);

  // A shortcut whose target was deleted keeps its own attributes: a file, not the folder or
  // file it used to point at.
  ASSERT_EQ(InitializeOn({scratch_ / "files\\dangling.lnk"}), S_OK);
  EXPECT_EQ(State().TargetAttributes & (kLinkAttribute | SFGAO_FOLDER | SFGAO_FILESYSTEM),
            kLinkAttribute | SFGAO_FILESYSTEM);
}

TEST_F(Invocation, VirtualFolderNamesAndUnavailableNames) {
  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  LPITEMIDLIST computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  char name[MAX_PATH];
  EXPECT_EQ(GetDisplayName(Desktop(), computer, name, sizeof name, SHGDN_FORPARSING), kNameObtained);
  EXPECT_NE(name[0], '\0');
  EXPECT_NE(std::strncmp(name, "::{", 3), 0) << name;
  EXPECT_EQ(GetAttributes(Shell(), Desktop(), computer) & SFGAO_FILESYSTEM, 0u);
  CoTaskMemFree(computer);
  char small[8];
  EXPECT_EQ(GetDisplayName(nullptr, nullptr, small, sizeof small, SHGDN_FORPARSING), kNameUnavailable);
  EXPECT_STREQ(small, "(Name u");
}


bool MenuAnimationOn() {
  BOOL animation = FALSE;
  SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
  return animation != FALSE;
}

void SetMenuAnimation(bool on) {
  SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(on)), 0);
}

// Every Initialize switches the menu animation off for the menus to come. An invocation that
// ends without a menu of ours (no teardown will follow) must switch it back on at once.
TEST_F(Invocation, RefusedInvocationsLeaveTheMenuAnimationAsItWas) {
  SetMenuAnimation(true);
  ASSERT_TRUE(MenuAnimationOn());
  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  EXPECT_FALSE(MenuAnimationOn()) << "off while a menu of ours is coming";
  EXPECT_EQ(Query(CMF_DEFAULTONLY), 0);
  EXPECT_TRUE(MenuAnimationOn()) << "double-click (default verb only)";

  BytesDataObject none({}, false);
  EXPECT_EQ(Initialize(&none), DV_E_FORMATETC);
  EXPECT_TRUE(MenuAnimationOn()) << "failed GetData";

  ASSERT_EQ(DropOn(scratch_ / "files", {"::{21EC2020-3AEA-1069-A2DD-08002B30309D}"}), S_OK);
  EXPECT_EQ(State().InvocationMode, kStayOut);
  EXPECT_TRUE(MenuAnimationOn()) << "drop of virtual objects";

  ASSERT_EQ(InitializeOn({scratch_ / "files\\a.txt"}), S_OK);
  EXPECT_EQ(Query(CMF_NORMAL, 0), 0);
  EXPECT_TRUE(MenuAnimationOn()) << "no flags at position 0";
  SetMenuAnimation(false);
}

// A module unloaded with its window classes still registered leaves classes whose window
// procedure points into freed memory: the next window of that class crashes its process.
TEST(ModuleRelease, UnregistersEveryWindowClassItRegistered) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  State().ModuleInstance = instance;
  RegisterToolTipClass(instance);
  RegisterFreezeClass(instance);
  WNDCLASSA found;
  ASSERT_TRUE(GetClassInfoA(instance, "QuilloToolTipWnd", &found));
  ASSERT_TRUE(GetClassInfoA(instance, "CFreezeWnd", &found));
  ReleaseProcessResources(State());
  EXPECT_FALSE(GetClassInfoA(instance, "QuilloToolTipWnd", &found));
  EXPECT_FALSE(GetClassInfoA(instance, "CFreezeWnd", &found));
}

}  // namespace
}  // namespace quillo
