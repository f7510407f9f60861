// How listings are produced: icon indexes shared per file class equal the item-by-item lookup,
// a cancelled enumeration of a big folder lets go at once, and one stuck in the shell holds up
// nothing.
#include <chrono>
#include <cstdio>
#include <string>

#include "entry_icons.h"
#include "model_win_fixture.h"
#include "shell_attributes.h"

namespace quillo::test {
namespace {

class ListingWorkTest : public ModelTest {
 protected:
  // A shortcut at linkPath to target that shows the icon at index of iconFile.
  void ShortcutWithIcon(const std::string& linkPath, const std::string& target,
                        const std::string& iconFile, int index) {
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkA, &link));
    link->SetPath(target.c_str());
    link->SetIconLocation(iconFile.c_str(), index);
    Microsoft::WRL::ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link.As(&file));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    ASSERT_HRESULT_SUCCEEDED(file->Save(wide, TRUE));
  }

  static int LiteralIcon(LPCITEMIDLIST list, UINT extra) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
    return info.iIcon;
  }
};

TEST_F(ListingWorkTest, SharedIconsEqualTheItemByItemLookupOnAMixedFolder) {
  const std::string folder = Folder("icons");
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  CopyFileA((std::string(system) + "\\notepad.exe").c_str(), (folder + "\\one.exe").c_str(), 0);
  CopyFileA((std::string(system) + "\\regedit.exe").c_str(), (folder + "\\two.exe").c_str(), 0);
  CopyFileA((std::string(system) + "\\winhlp32.exe").c_str(), (folder + "\\three.EXE").c_str(),
            0);
  File("icons\\fake.exe", "not a program");
  File("icons\\gone.txt");
  for (const char* name : {"a.txt", "B.TXT", "c.png", "d.bmp", "e.html", "f.ini", "no extension",
                           "g.ico", "h.bat", "i.zip", "j.unknownclass"}) {
    File(std::string("icons\\") + name);
  }
  Folder("icons\\plain one");
  Folder("icons\\plain two");
  const std::string marked = Folder("icons\\marked");
  WriteText(marked + "\\desktop.ini",
            "[.ShellClassInfo]\r\nIconResource=" + std::string(system) + "\\shell32.dll,12\r\n");
  SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_READONLY);
  // Shortcuts to targets of one class share its icon, unless they have an icon of their own or
  // the class draws each file.
  for (const char* target : {"one.exe", "two.exe", "a.txt", "B.TXT", "c.png", "d.bmp",
                             "plain one", "plain two", "marked", "gone.txt", "g.ico"}) {
    Shortcut(folder + "\\to " + target + ".lnk", folder + "\\" + target);
    Shortcut(folder + "\\again to " + target + ".lnk", folder + "\\" + target);
  }
  DeleteFileA((folder + "\\gone.txt").c_str());
  ShortcutWithIcon(folder + "\\own icon to a.lnk", folder + "\\a.txt",
                   std::string(system) + "\\shell32.dll", 12);
  ShortcutWithIcon(folder + "\\own icon to plain.lnk", folder + "\\plain one",
                   std::string(system) + "\\shell32.dll", 3);

  IdList list = Parse(folder);
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  const FolderListing& listing = *opened->listing;
  ASSERT_GE(listing.entries.count(), 42u);
  for (std::size_t i = 0; i < listing.entries.count(); ++i) {
    const MenuEntry& entry = listing.entries[i];
    if (entry.name < 0) continue;  // the separators and "More..." of the paged listing
    const std::string name = TextOf(listing, entry);
    EXPECT_EQ(entry.iconIndex, LiteralIcon(entry.idList, 0)) << name;
    const int open = (entry.attributes & kAttrFolder) ? LiteralIcon(entry.idList, SHGFI_OPENICON)
                                                      : entry.iconIndex;
    EXPECT_EQ(entry.openIconIndex, open) << name;
  }
  EXPECT_NE(context_.systemImageList.load(), nullptr);
  SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ListingWorkTest, ClassesThatDrawEachFileAreNotShared) {
  EXPECT_TRUE(ExtensionHasPerFileIcon("exe"));
  EXPECT_TRUE(ExtensionHasPerFileIcon("LNK"));
  EXPECT_FALSE(ExtensionHasPerFileIcon("txt"));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".quillotest", 0, nullptr, 0,
                            KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("QuilloTestFile"), 15);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "QuilloTestFile\\DefaultIcon",
                            0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("%1"), 3);
  RegCloseKey(key);
  EXPECT_TRUE(ExtensionHasPerFileIcon("quillotest"));
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".quillotest");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "QuilloTestFile");
}

struct CancelClock {
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point cancelled;
  std::chrono::milliseconds after;
};

TEST_F(ListingWorkTest, CancelledEnumerationOfTwentyThousandEntriesLetsGoWithinATenthSecond) {
  // Creating and deleting 20,000 files under Wine takes minutes: the folder is made once in the
  // temporary folder and kept for later runs.
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "quillo_cancel_20000";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = FileExists(folder + "\\entry19999.txt") ? 20000 : 0; i < 20000; ++i) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\entry%05d.txt", folder.c_str(), i);
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  // A "desktop.ini" makes the listing ask the shell for every name, so that listing the
  // children takes long enough to be cancelled in the middle.
  if (!FileExists(folder + "\\desktop.ini")) {
    WriteText(folder + "\\desktop.ini", "[.ShellClassInfo]\r\n");
  }
  IdList list = Parse(folder);
  // The shell reads the whole folder in one call that cannot be interrupted; the children are
  // listed after it. Cancelled during that call the time is printed only; cancelled well after
  // it, while children are listed, the enumeration must end within 100 ms.
  const auto readStart = std::chrono::steady_clock::now();
  {
    Microsoft::WRL::ComPtr<IShellFolder> big;
    ASSERT_HRESULT_SUCCEEDED(desktop_->BindToObject(list.list, nullptr, IID_IShellFolder, &big));
    Microsoft::WRL::ComPtr<IEnumIDList> children;
    big->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &children);
  }
  const auto readMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - readStart).count();
  const int listingMs = static_cast<int>(readMs * 3 / 2 + 80);
  for (int afterMs : {5, listingMs}) {
    CancelClock clock{std::chrono::steady_clock::now(), {}, std::chrono::milliseconds(afterMs)};
    context_.keepWaitingCookie = &clock;
    context_.keepWaiting = [](void* cookie) {
      auto& c = *static_cast<CancelClock*>(cookie);
      if (std::chrono::steady_clock::now() - c.start < c.after) return true;
      c.cancelled = std::chrono::steady_clock::now();
      return false;
    };
    auto opened = Open(list.list);
    EXPECT_EQ(opened->listing, nullptr);  // given up before the listing was complete
    cache_->Empty();
    const auto latency = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - clock.cancelled);
    std::printf("cancel after %d ms: cache emptied %lld ms after cancel was set\n", afterMs,
                static_cast<long long>(latency.count()));
    if (afterMs == listingMs) {
      EXPECT_LT(latency.count(), 100);
    }
    EXPECT_EQ(cache_->count(), 0u);
    opened->listing = nullptr;
  }
}

// When no enumeration thread can be had the folder cannot be listed this time; the next
// attempt must list it rather than be handed the never-filled listing as a finished, empty one.
TEST_F(ListingWorkTest, AListingWhoseThreadCouldNotStartIsNeverReusedAsFinished) {
  const std::string folder = Folder("unstarted");
  File("unstarted\\a.txt");
  File("unstarted\\b.txt");
  IdList list = Parse(folder);
  context_.startThread = [](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; };
  EXPECT_EQ(Open(list.list)->listing, nullptr);
  context_.startThread = nullptr;
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  EXPECT_EQ(Texts(*opened->listing), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// An enumeration thread whose shell call does not return until `release` is set, as in an
// unreachable network folder.
struct StalledThread {
  HANDLE release = nullptr;
  HANDLE thread = nullptr;
  LPTHREAD_START_ROUTINE routine = nullptr;
  void* parameter = nullptr;
};
StalledThread g_stalled;

DWORD WINAPI RunWhenReleased(void*) {
  WaitForSingleObject(g_stalled.release, INFINITE);
  return g_stalled.routine(g_stalled.parameter);
}

HANDLE StartStalled(LPTHREAD_START_ROUTINE routine, void* parameter) {
  g_stalled.routine = routine;
  g_stalled.parameter = parameter;
  HANDLE thread = CreateThread(nullptr, 0, RunWhenReleased, nullptr, 0, nullptr);
  DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &g_stalled.thread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return thread;
}

DWORD WINAPI EmptyCache(void* cache) {
  static_cast<ListingCache*>(cache)->Empty();
  return 0;
}

// The menus close while an enumeration hangs in the shell: emptying the cache (and so Explorer's
// menu thread) waits no more than its bound, and the thread frees the listing when it returns.
TEST_F(ListingWorkTest, AnEnumerationStuckInTheShellHoldsUpNeitherTheMenusNorItsListing) {
  const std::string folder = Folder("stuck");
  File("stuck\\a.txt");
  IdList list = Parse(folder);
  CheckingAllocator checking(allocator_);
  context_.allocator = &checking;
  g_stalled.release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  context_.startThread = StartStalled;
  context_.keepWaiting = [](void*) { return false; };  // the user moves on at once
  EXPECT_EQ(Open(list.list)->listing, nullptr);
  ASSERT_NE(g_stalled.thread, nullptr);
  EXPECT_GT(checking.LiveCount(), 0u);  // the listing's copy of the folder's list

  const auto start = std::chrono::steady_clock::now();
  HANDLE emptying = CreateThread(nullptr, 0, EmptyCache, cache_.get(), 0, nullptr);
  const bool returned = WaitForSingleObject(emptying, 5000) == WAIT_OBJECT_0;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(returned) << "emptying the cache waited for the stuck thread";
  EXPECT_LT(ms, 1500);
  EXPECT_EQ(cache_->count(), 0u);

  SetEvent(g_stalled.release);  // the shell call returns; the thread sees the cancel and ends
  EXPECT_EQ(WaitForSingleObject(g_stalled.thread, 5000), WAIT_OBJECT_0);
  if (!returned) {
    EXPECT_EQ(WaitForSingleObject(emptying, 5000), WAIT_OBJECT_0);
  }
  EXPECT_EQ(checking.LiveCount(), 0u) << "the listing was not freed by its last holder";
  EXPECT_EQ(checking.badFrees.load(), 0);
  CloseHandle(emptying);
  CloseHandle(g_stalled.thread);
  CloseHandle(g_stalled.release);
  context_.startThread = nullptr;
  context_.allocator = allocator_;
}

}  // namespace
}  // namespace quillo::test
