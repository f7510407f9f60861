// The names of a file-system folder's children made from their file names give exactly what the
// shell shows, for every kind of child and with extensions shown and hidden; the shell is asked
// only once per kind and extension, and for every child where something else may rename it.
#include <shlwapi.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "model_win_fixture.h"
#include "shown_names.h"

namespace quillo::test {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Sets the user's "hide extensions" setting for the life of the object, then puts back what was.
class HideFileExtensions {
 public:
  explicit HideFileExtensions(DWORD hide) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    DWORD size = sizeof previous_;
    had_ = RegQueryValueExW(key_, L"HideFileExt", nullptr, nullptr,
                            reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hide),
                   sizeof hide);
  }
  HideFileExtensions(const HideFileExtensions&) = delete;
  HideFileExtensions& operator=(const HideFileExtensions&) = delete;
  ~HideFileExtensions() {
    if (had_) {
      RegSetValueExW(key_, L"HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                     sizeof previous_);
    } else {
      RegDeleteValueW(key_, L"HideFileExt");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool had_ = false;
};

class ShownNamesTest : public ModelTest {
 protected:
  std::wstring Wide(const std::string& path) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    return wide;
  }
  void WideFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot make the test file";
    CloseHandle(file);
  }
  void WideFolder(const std::wstring& path, DWORD attributes = 0) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    if (attributes != 0) SetFileAttributesW(path.c_str(), attributes);
  }

  // A folder with every kind of child: files of known, unknown, upper-case, double and no
  // extensions, a name that starts with its dot, a dot followed by a space, names beyond ANSI
  // (two that read alike in ANSI, and one that reads as its neighbour's name),
  // hidden files, programs, shortcuts to a file and a folder, and folders plain, dotted,
  // read-only and system.
  std::string EveryKind(const std::string& name) {
    const std::string path = Folder(name);
    const std::wstring at = Wide(path) + L"\\";
    for (const wchar_t* file :
         {L"plain.txt", L"Second.TXT", L"third.txt", L"noext", L"README", L".profile",
          L"archive.tar.gz", L"two.gz", L"space.b c", L"other.b c", L"program.exe",
          L"data.qqq", L"more.QQQ", L"\x0444\x0430\x0439\x043b.txt", L"\x5199\x771f.jpg",
          L"\xD83D\xDE00 smile.txt", L"page.html", L"index.htm", L"\x0434\x043e\x043c.txt",
          L"\x0441\x0430\x0434.txt", L"\x0105.dat", L"a.dat"}) {
      WideFile(at + file);
    }
    WideFile(at + L"hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    WideFile(at + L"hidden.qqq", FILE_ATTRIBUTE_HIDDEN);
    for (const wchar_t* folder : {L"folder", L"folder.txt", L"dotted.dir", L"other.dir"}) {
      WideFolder(at + folder);
    }
    WideFolder(at + L"kept.ro", FILE_ATTRIBUTE_READONLY);
    WideFolder(at + L"kept.sys", FILE_ATTRIBUTE_SYSTEM);
    Shortcut(path + "\\to file.lnk", path + "\\plain.txt");
    Shortcut(path + "\\to folder.lnk", path + "\\folder");
    Shortcut(path + "\\again.lnk", path + "\\third.txt");
    return path;
  }

  struct Names {
    std::map<std::wstring, std::wstring> shell;  // file name -> the shell's name
    std::map<std::wstring, std::wstring> shown;  // file name -> ShownNames' name
    int children = 0;
    int shellQueries = 0;
  };

  // Both names of every child of the folder, hidden ones included, the first shellNamesFirst
  // asked of the shell before the folder is walked.
  Names NamesOf(const std::string& path, int shellNamesFirst = 0) {
    Names names;
    IdList list = Parse(path);
    ComPtr<IShellFolder> folder;
    EXPECT_HRESULT_SUCCEEDED(desktop_->BindToObject(list.list, nullptr, IID_PPV_ARGS(&folder)));
    if (!folder) return names;
    ShownNames shown(folder.Get(), Wide(path).c_str(), shellNamesFirst);
    ComPtr<IEnumIDList> children;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                        &children);
    LPITEMIDLIST child = nullptr;
    while (children && children->Next(1, &child, nullptr) == S_OK) {
      IdList owner(child);
      wchar_t fileName[MAX_PATH], name[MAX_PATH];
      GetDisplayName(folder.Get(), child, fileName, MAX_PATH, SHGDN_INFOLDER | SHGDN_FORPARSING);
      GetDisplayName(folder.Get(), child, name, MAX_PATH, SHGDN_INFOLDER);
      names.shell[fileName] = name;
      shown.Name(child, name, MAX_PATH);
      names.shown[fileName] = name;
      ++names.children;
    }
    names.shellQueries = shown.ShellQueries();
    return names;
  }
};

TEST_F(ShownNamesTest, EveryKindOfChildIsNamedAsTheShellNamesIt) {
  const std::string path = EveryKind("every");
  for (DWORD hide : {0u, 1u}) {
    HideFileExtensions setting(hide);
    const Names names = NamesOf(path);
    EXPECT_EQ(names.children, 33) << "hide=" << hide;
    EXPECT_EQ(names.shell.size(), 33u) << "file names told apart";
    EXPECT_EQ(names.shown, names.shell) << "hide=" << hide;
    // Shortcuts never show their extension; with extensions hidden "plain.txt" is "plain", so
    // both forms of the rule are at work.
    EXPECT_EQ(names.shell.at(L"to file.lnk"), L"to file");
    EXPECT_EQ(names.shell.at(L"plain.txt"), hide ? L"plain" : L"plain.txt");
    // Asked once for each of the 12 kinds and extensions, and for the 7 children always asked:
    // ".profile", the two pairs that read alike in ANSI, the read-only and the system folder.
    EXPECT_LE(names.shellQueries, 19) << "hide=" << hide;
    // Walked after the first children were asked, the same names.
    EXPECT_EQ(NamesOf(path, ShownNames::kShellNamesFirst).shown, names.shell) << "hide=" << hide;
  }
}

TEST_F(ShownNamesTest, AFolderThatMayRenameItsChildrenIsAskedForEveryName) {
  const std::string path = EveryKind("renamed");
  File("renamed\\desktop.ini", "[LocalizedFileNames]\r\nthird.txt=Third\r\n");
  const Names names = NamesOf(path);
  EXPECT_EQ(names.shown, names.shell);
  EXPECT_EQ(names.shellQueries, names.children);
}

// What a listing shows of each entry, in display order.
struct Shown {
  std::wstring name;
  std::uint32_t attributes;
  std::int32_t icon;
  std::int32_t openIcon;
  std::int8_t childState;
};

// Entries other than the "desktop.ini" itself (Wine keeps no system attribute to hide it).
std::vector<Shown> ShownOf(const FolderListing& listing) {
  std::vector<Shown> shown;
  for (std::size_t i = 0; i < listing.order.count(); ++i) {
    const MenuEntry& entry = listing.entries[listing.order[i]];
    const wchar_t* name = EntryRealText(entry.name, ListingNames(listing), ListingRealNames(listing));
    if (name != nullptr &&
        (std::wcscmp(name, L"desktop.ini") == 0 || std::wcscmp(name, L"desktop") == 0)) {
      continue;
    }
    shown.push_back({name != nullptr ? name : L"-", entry.attributes, entry.iconIndex,
                     entry.openIconIndex, entry.childState});
  }
  return shown;
}

// The same children listed with names made from file names and, in a folder whose
// "desktop.ini" sends every name to the shell, with the shell's: the same entries in the same
// order, with the same names, attributes, icons and cascades, and each name the shell's own.
TEST_F(ShownNamesTest, TheListingIsTheOneTheShellGives) {
  options_.includeHidden = 1;
  options_.multiColumn = 1;  // one page: the order of all entries is compared
  const std::string made = EveryKind("made");
  const std::string asked = EveryKind("asked");
  File("asked\\desktop.ini", "[.ShellClassInfo]\r\n");
  SetFileAttributesA((asked + "\\desktop.ini").c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  for (DWORD hide : {0u, 1u}) {
    HideFileExtensions setting(hide);
    IdList madeList = Parse(made), askedList = Parse(asked);
    auto fromFiles = Open(madeList.list);
    auto fromShell = Open(askedList.list);
    ASSERT_NE(fromFiles->listing, nullptr);
    ASSERT_NE(fromShell->listing, nullptr);
    const std::vector<Shown> shown = ShownOf(*fromFiles->listing);
    const std::vector<Shown> shells = ShownOf(*fromShell->listing);
    ASSERT_EQ(shown.size(), 33u);
    ASSERT_EQ(shells.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].name, shells[i].name) << "hide=" << hide << " at " << i;
      EXPECT_EQ(shown[i].attributes, shells[i].attributes) << shells[i].name;
      EXPECT_EQ(shown[i].icon, shells[i].icon) << shells[i].name;
      EXPECT_EQ(shown[i].openIcon, shells[i].openIcon) << shells[i].name;
      EXPECT_EQ(shown[i].childState, shells[i].childState) << shells[i].name;
    }
    const FolderListing& listing = *fromFiles->listing;
    for (std::size_t i = 0; i < listing.entries.count(); ++i) {
      const MenuEntry& entry = listing.entries[i];
      ComPtr<IShellFolder> parent;
      LPCITEMIDLIST last = nullptr;
      ASSERT_HRESULT_SUCCEEDED(SHBindToParent(entry.idList, IID_PPV_ARGS(&parent), &last));
      wchar_t name[MAX_PATH];
      GetDisplayName(parent.Get(), last, name, MAX_PATH, SHGDN_INFOLDER);
      EXPECT_STREQ(EntryRealText(entry.name, ListingNames(listing), ListingRealNames(listing)), name);
    }
    cache_->Empty();
  }
}

}  // namespace
}  // namespace quillo::test
