// Listings of real folders through the listing cache, as the menus ask for them.
#include <algorithm>
#include <string>
#include <vector>

#include "folder_enumeration.h"
#include "model_win_fixture.h"
#include "shell_attributes.h"

namespace quillo::test {
namespace {

using Strings = std::vector<std::string>;

class FolderListingTest : public ModelTest {};

TEST_F(FolderListingTest, EmptyFolderFromTheRootEntryEndsWithParentRecentAndFavorites) {
  const std::string folder = Folder("empty");
  File("empty\\hidden.txt");
  SetFileAttributesA((folder + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  options_.includeHidden = 0;
  IdList list = Parse(folder);
  ASSERT_NE(list.list, nullptr);
  auto opened = Open(list.list, 1, true);
  ASSERT_NE(opened->listing, nullptr);
  EXPECT_EQ(Texts(*opened->listing),
            (Strings{"(Empty)", "-", scratch_.path(), "Recent", "Favorites"}));
  const FolderListing& listing = *opened->listing;
  const MenuEntry& parent = listing.entries[listing.order[2]];
  EXPECT_EQ(parent.childState, 1);
  EXPECT_EQ(parent.parentEntryFlag, 1);
  EXPECT_GE(parent.iconIndex, 0);
  EXPECT_EQ(listing.entries[listing.order[3]].attributes, kKindRecent);
  EXPECT_EQ(listing.entries[listing.order[4]].attributes, kKindFavorites);
  // Opened from a sub-entry (after an option change) the same folder has no entries at all.
  cache_->Invalidate();
  auto plain = Open(list.list);
  ASSERT_NE(plain->listing, nullptr);
  EXPECT_EQ(plain->listing->entries.count(), 0u);
}

TEST_F(FolderListingTest, ExtensionListsAndShortcutsJudgedByTheirTargets) {
  const std::string folder = Folder("mixed");
  Folder("mixed\\Sub");
  File("mixed\\report.txt");
  File("mixed\\image.png");
  const std::string other = Folder("other");
  File("other\\notes.txt");
  File("other\\picture.png");
  Shortcut(folder + "\\to notes.lnk", other + "\\notes.txt");
  Shortcut(folder + "\\to picture.lnk", other + "\\picture.png");
  IdList list = Parse(folder);

  auto all = Open(list.list);
  ASSERT_NE(all->listing, nullptr);
  Strings texts = Texts(*all->listing);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0], "Sub");
  cache_->Invalidate();

  SetList(options_.includeExtensions, {"txt"});
  options_.includeAllExtensions = 0;
  auto txt = Open(list.list);
  ASSERT_NE(txt->listing, nullptr);
  texts = Texts(*txt->listing);
  // Explorer's names in this prefix show extensions, so report.txt passes and image.png not;
  // shortcuts pass by their target's name whatever their own name says.
  ASSERT_EQ(texts.size(), 3u) << ::testing::PrintToString(texts);
  EXPECT_EQ(texts[0], "Sub");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "report.txt"), texts.end());
  EXPECT_TRUE(texts[1].rfind("to notes", 0) == 0 || texts[2].rfind("to notes", 0) == 0);
}

TEST_F(FolderListingTest, ShortcutToFolderCascadesAndEndsWithTheTargetsParent) {
  const std::string folder = Folder("links");
  const std::string target = Folder("deep");
  Folder("deep\\inner");
  File("deep\\inner\\a.txt");
  Shortcut(folder + "\\to inner.lnk", target + "\\inner");
  IdList list = Parse(folder);
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  ASSERT_EQ(opened->listing->entries.count(), 1u);
  const MenuEntry& link = opened->listing->entries[0];
  EXPECT_EQ(link.childState, -1);
  EXPECT_EQ(link.attributes & (kAttrLink | kAttrFolder), kAttrLink | kAttrFolder);
  EXPECT_EQ(ChildProbe(context_, link.idList), 1);

  MenuEntry entry = link;  // the submenu opened from the shortcut entry
  auto inner = std::make_unique<Acquired>(cache_.get(), cache_->Acquire(entry, false, false));
  ASSERT_NE(inner->listing, nullptr);
  EXPECT_EQ(Texts(*inner->listing), (Strings{"a.txt", "-", target}));
}

TEST_F(FolderListingTest, ShortcutWhoseTargetWasDeletedKeepsItsOwnNameAndAttributes) {
  const std::string folder = Folder("dangling");
  const std::string gone = Folder("gone");
  File("gone\\inside.txt");
  Shortcut(folder + "\\to gone.lnk", gone);
  DeleteFileA((gone + "\\inside.txt").c_str());
  ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
  IdList list = Parse(folder);
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  ASSERT_EQ(opened->listing->entries.count(), 1u);
  const MenuEntry& link = opened->listing->entries[0];
  // The shortcut file itself: a file of the file system with the link bit, not the folder it
  // pointed at, so it is not offered as a drop target.
  EXPECT_EQ(link.attributes & (kAttrLink | kAttrFolder | kAttrFileSystem),
            kAttrLink | kAttrFileSystem);
  EXPECT_EQ(TextOf(*opened->listing, link).rfind("to gone", 0), 0u) << TextOf(*opened->listing, link);
  char path[MAX_PATH];
  ASSERT_EQ(GetDisplayName(desktop_, link.idList, path, sizeof path, SHGDN_FORPARSING), 0);
  EXPECT_EQ(std::string(path), folder + "\\to gone.lnk");
}

TEST_F(FolderListingTest, DragFoldersOnlyHidesFilesInFoldersRecentAndFavorites) {
  const std::string folder = Folder("drag");
  Folder("drag\\Keep");
  const std::string file = File("drag\\drop.txt");
  IdList list = Parse(folder);
  IdList fileList = Parse(file);
  IdList folderList = Parse(folder + "\\Keep");
  WriteDataFile(dataFolder_.c_str(), "MRU", 0, fileList.list, IdListSize(fileList.list));
  WriteDataFile(dataFolder_.c_str(), "MRU", 1, folderList.list, IdListSize(folderList.list));
  WriteDataFile(dataFolder_.c_str(), "FAV", 0, fileList.list, IdListSize(fileList.list));
  WriteDataFile(dataFolder_.c_str(), "FAV", 1, folderList.list, IdListSize(folderList.list));
  context_.recent.Load(context_);
  context_.favorites.Load(context_);
  context_.invocationMode = 1;

  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  EXPECT_EQ(Texts(*opened->listing), Strings{"Keep"});
  const std::string keep = folder + "\\Keep";
  for (std::uint32_t kind : {kKindRecent, kKindFavorites}) {
    auto listed = OpenKind(kind);
    ASSERT_NE(listed->listing, nullptr);
    EXPECT_EQ(Texts(*listed->listing), Strings{keep}) << kind;
  }
  context_.invocationMode = 0;
  auto recent = OpenKind(kKindRecent);
  ASSERT_NE(recent->listing, nullptr);
  EXPECT_EQ(recent->listing->entries.count(), 2u);
}

TEST_F(FolderListingTest, DesktopListsVirtualFoldersBeforeFileSystemFolders) {
  char desktopPath[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktopPath, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string mine = std::string(desktopPath) + "\\AAA quillo " +
                           std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(mine.c_str(), nullptr));
  LPITEMIDLIST desktopList = nullptr;
  ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktopList));
  IdList desktop(desktopList);
  {
    auto opened = Open(desktop.list);
    ASSERT_NE(opened->listing, nullptr);
    const FolderListing& listing = *opened->listing;
    int lastVirtualFolder = -1;
    int firstFileSystemFolder = -1;
    bool sawMine = false;
    for (std::size_t i = 0; i < listing.order.count(); ++i) {
      const MenuEntry& entry = listing.entries[listing.order[i]];
      if ((entry.attributes & kAttrFolder) == 0) continue;
      if (entry.attributes & kAttrFileSystem) {
        if (firstFileSystemFolder < 0) firstFileSystemFolder = static_cast<int>(i);
      } else {
        lastVirtualFolder = static_cast<int>(i);
      }
      sawMine = sawMine || mine.ends_with(TextOf(listing, entry));
    }
    EXPECT_TRUE(sawMine);
    EXPECT_GE(lastVirtualFolder, 0);  // Computer and friends
    EXPECT_LT(lastVirtualFolder, firstFileSystemFolder);
  }
  RemoveDirectoryA(mine.c_str());
}

TEST_F(FolderListingTest, LongFoldersArePagedAndLongNamesCutInTheMiddle) {
  const std::string folder = Folder("long");
  for (int i = 0; i < 100; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "long\\f%03d.txt", i);
    File(name);
  }
  context_.itemsPerColumn = 30;
  IdList list = Parse(folder);
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  const FolderListing& listing = *opened->listing;
  const Strings texts = Texts(listing);
  ASSERT_EQ(texts.size(), 106u);
  EXPECT_EQ(texts[0], "f000.txt");
  EXPECT_EQ(texts[27], "f027.txt");
  EXPECT_EQ(texts[28], "-");
  EXPECT_EQ(texts[29], "More...");
  EXPECT_EQ(texts[30], "f028.txt");
  const MenuEntry& more = listing.entries[listing.order[29]];
  EXPECT_EQ(more.continueIndex, 30);
  EXPECT_EQ(more.childState, 1);
  EXPECT_NE(more.idList, nullptr);
  EXPECT_EQ(texts.back(), "f099.txt");

  const std::string longName = std::string(40, 'a') + std::string(36, 'z') + ".txt";
  const std::string named = Folder("named");
  File("named\\" + longName);
  IdList namedList = Parse(named);
  auto cut = Open(namedList.list);
  ASSERT_NE(cut->listing, nullptr);
  EXPECT_EQ(Texts(*cut->listing),
            Strings{longName.substr(0, 29) + "......" + longName.substr(longName.size() - 29)});
}

TEST_F(FolderListingTest, FoldersSortBeforeFilesAndTheProbeSeesOnlyShownChildren) {
  const std::string folder = Folder("sort");
  Folder("sort\\zz folder");
  File("sort\\Aa.txt");
  File("sort\\bb.txt");
  Folder("sort\\Mm folder");
  IdList list = Parse(folder);
  auto opened = Open(list.list);
  ASSERT_NE(opened->listing, nullptr);
  EXPECT_EQ(Texts(*opened->listing), (Strings{"Mm folder", "zz folder", "Aa.txt", "bb.txt"}));

  IdList emptyFolder = Parse(folder + "\\zz folder");
  EXPECT_EQ(ChildProbe(context_, emptyFolder.list), 0);
  EXPECT_EQ(ChildProbe(context_, list.list), 1);
  SetList(options_.excludeObjects, {"Aa.txt", "bb.txt", "zz folder", "Mm folder"});
  EXPECT_EQ(ChildProbe(context_, list.list), 0);
}

TEST_F(FolderListingTest, CacheKeepsDrivesReusesFoldersAndGivesUpWhenThePointerLeaves) {
  const std::string folder = Folder("cached");
  File("cached\\a.txt");
  IdList list = Parse(folder);
  IdList drive = Parse("C:\\");
  {
    auto first = Open(list.list);
    auto second = Open(list.list);
    ASSERT_NE(first->listing, nullptr);
    EXPECT_EQ(first->listing, second->listing);  // reused while it has users
    EXPECT_EQ(first->listing->users.load(), 2);
  }
  { auto root = Open(drive.list); ASSERT_NE(root->listing, nullptr); }
  EXPECT_EQ(cache_->count(), 2u);  // file-system ancestors stay cached while the menus are open
  cache_->Empty();
  EXPECT_EQ(cache_->count(), 0u);
  LPITEMIDLIST controls = nullptr;
  ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &controls));
  IdList controlPanel(controls);
  { auto virtualFolder = Open(controlPanel.list); ASSERT_NE(virtualFolder->listing, nullptr); }
  EXPECT_EQ(cache_->count(), 0u);  // anything else goes with its last user

  // The default wait test: a pointer outside the highlighted entry's rectangle ends the wait.
  const RECT nowhere{-30000, -30000, -29999, -29999};
  context_.keepWaiting = nullptr;
  context_.selectedItemRect = &nowhere;
  auto abandoned = Open(list.list);
  EXPECT_EQ(abandoned->listing, nullptr);
}

}  // namespace
}  // namespace quillo::test
