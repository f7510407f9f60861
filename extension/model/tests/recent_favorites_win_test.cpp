// Recent items and favourites with their files in a scratch data folder.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <algorithm>

#include "model_win_fixture.h"
#include "shell_attributes.h"

namespace quillo::test {
namespace {

using Strings = std::vector<std::string>;

class RecentFavoritesTest : public ModelTest {
 protected:
  // A fresh list for a path, owned by the shell allocator (ready to hand to Add).
  LPITEMIDLIST ListFor(const std::string& path) {
    IdList parsed = Parse(path);
    return CopyIdList(allocator_, parsed.list);
  }
  std::string NameOf(LPCITEMIDLIST list) {
    char name[520];
    GetDisplayName(desktop_, list, name, sizeof name, SHGDN_FORPARSING);
    return name;
  }
  Strings RecentNames() {
    Strings names;
    for (int i = 0; i < kListSlotCount; ++i) {
      if (context_.recent.Item(i)) names.push_back(NameOf(context_.recent.Item(i)));
    }
    return names;
  }
  void Store(const char* name, int index, const void* bytes, std::size_t size) {
    ASSERT_EQ(WriteDataFile(dataFolder_.c_str(), name, index, bytes, size), size);
  }
  void StoreList(const char* name, int index, const std::string& path) {
    IdList list = Parse(path);
    Store(name, index, list.list, IdListSize(list.list));
  }
  std::string FileBytes(const char* name, int index) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s%d.lcf", dataFolder_.c_str(), name, index);
    return ReadText(path);
  }
};

TEST_F(RecentFavoritesTest, ReopeningMovesToTheFrontIgnoringCase) {
  const std::string a = File("Alpha.txt");
  const std::string b = File("beta.txt");
  context_.recent.Load(context_);
  context_.recent.Add(context_, ListFor(a));
  context_.recent.Add(context_, ListFor(b));
  std::string upper = a;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  context_.recent.Add(context_, ListFor(upper));
  const Strings names = RecentNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(lstrcmpiA(names[0].c_str(), a.c_str()), 0);
  EXPECT_EQ(names[1], b);
  // Saved at once: a fresh load sees the same order.
  context_.recent.Load(context_);
  EXPECT_EQ(RecentNames().size(), 2u);
  EXPECT_EQ(lstrcmpiA(RecentNames()[0].c_str(), a.c_str()), 0);
}

// Under a Western code page both names read "????.txt": opening the second must not be taken
// for reopening the first.
TEST_F(RecentFavoritesTest, NamesWithTheSameAnsiFormAreDifferentItems) {
  auto listFor = [this](const std::wstring& path) {
    std::wstring wide = path;
    LPITEMIDLIST parsed = nullptr;
    desktop_->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &parsed, nullptr);
    IdList owned(parsed);
    return CopyIdList(allocator_, owned.list);
  };
  const std::wstring first = scratch_ / std::wstring(L"файл.txt");
  const std::wstring second = scratch_ / std::wstring(L"ключ.txt");
  WriteText(first, "1");
  WriteText(second, "2");
  context_.recent.Load(context_);
  context_.recent.Add(context_, listFor(first));
  context_.recent.Add(context_, listFor(second));
  ASSERT_NE(context_.recent.Item(1), nullptr);
  wchar_t name[520];
  GetDisplayName(desktop_, context_.recent.Item(0), name, 520, SHGDN_FORPARSING);
  EXPECT_EQ(std::wstring(name), second);
  GetDisplayName(desktop_, context_.recent.Item(1), name, 520, SHGDN_FORPARSING);
  EXPECT_EQ(std::wstring(name), first);
}

TEST_F(RecentFavoritesTest, RecentMenuSortedByTheShellOrNewestFirst) {
  const std::string a = File("a.txt");
  const std::string b = File("b.txt");
  const std::string c = File("c.txt");
  context_.recent.Load(context_);
  for (const std::string& path : {a, c, b}) context_.recent.Add(context_, ListFor(path));
  {
    auto sorted = OpenKind(kKindRecent);
    ASSERT_NE(sorted->listing, nullptr);
    EXPECT_EQ(Texts(*sorted->listing), (Strings{a, b, c}));
  }
  options_.recentSorted = 0;
  auto newestFirst = OpenKind(kKindRecent);
  ASSERT_NE(newestFirst->listing, nullptr);
  EXPECT_EQ(Texts(*newestFirst->listing), (Strings{b, c, a}));
  options_.recentEnabled = 0;  // nothing is added while the list is off
  context_.recent.Add(context_, ListFor(File("d.txt")));
  EXPECT_EQ(RecentNames(), (Strings{b, c, a}));
}

TEST_F(RecentFavoritesTest, TheSeventeenthItemPushesTheOldestOutOfMemoryAndFiles) {
  options_.recentCount = 16;
  context_.recent.Load(context_);
  std::vector<std::string> paths;
  // The bytes as added: a list parsed later carries the folder's newer time stamp.
  std::vector<std::string> added;
  for (int i = 0; i < 17; ++i) {
    paths.push_back(File("item" + std::to_string(i) + ".txt"));
    LPITEMIDLIST list = ListFor(paths.back());
    added.emplace_back(reinterpret_cast<const char*>(list), IdListSize(list));
    context_.recent.Add(context_, list);
  }
  const Strings names = RecentNames();
  ASSERT_EQ(names.size(), 16u);
  EXPECT_EQ(names.front(), paths[16]);
  EXPECT_EQ(names.back(), paths[1]);
  EXPECT_EQ(FileBytes("MRU", 15), added[1]);
  EXPECT_FALSE(FileExists(dataFolder_ + "\\MRU16.lcf"));
  options_.recentCount = 64;  // the 64-slot list frees its oldest instead of moving it past
  for (int i = 0; i < 70; ++i) {
    context_.recent.Add(context_, ListFor(File("many" + std::to_string(i) + ".txt")));
  }
  EXPECT_EQ(RecentNames().size(), 64u);
}

TEST_F(RecentFavoritesTest, FavoritesWithSeparatorsEndAtTheFirstMissingFile) {
  const std::string one = Folder("one");
  const std::string two = File("two.txt");
  const std::uint8_t marker[] = {0xFF, 0xFF, 0xFF, 0xFF};
  StoreList("FAV", 0, one);
  Store("FAV", 1, marker, sizeof marker);
  StoreList("FAV", 2, two);
  StoreList("FAV", 4, one);  // after the gap at 3: never loaded
  context_.favorites.Load(context_);
  EXPECT_NE(context_.favorites.Item(0), nullptr);
  EXPECT_TRUE(context_.favorites.IsSeparator(1));
  EXPECT_NE(context_.favorites.Item(2), nullptr);
  EXPECT_EQ(context_.favorites.Item(4), nullptr);
  auto listed = OpenKind(kKindFavorites);
  ASSERT_NE(listed->listing, nullptr);
  EXPECT_EQ(Texts(*listed->listing), (Strings{one, "-", two}));
  EXPECT_EQ(listed->listing->entries[0].childState, -1);  // folder: probed later
  EXPECT_EQ(listed->listing->entries[2].childState, 0);

  options_.favoritesEnabled = 0;
  context_.favorites.Load(context_);
  EXPECT_EQ(context_.favorites.FirstItem(kListSlotCount), nullptr);
  auto empty = OpenKind(kKindFavorites);
  ASSERT_NE(empty->listing, nullptr);
  EXPECT_EQ(Texts(*empty->listing), Strings{"(Empty)"});
}

TEST_F(RecentFavoritesTest, ClearAtLogonDeletesTheFilesAndRecentShowsEmpty) {
  StoreList("MRU", 0, File("kept.txt"));
  StoreList("MRU", 1, File("kept2.txt"));
  options_.recentClearAtLogon = 1;
  context_.recent.Load(context_);
  EXPECT_EQ(context_.recent.FirstItem(kListSlotCount), nullptr);
  EXPECT_FALSE(FileExists(dataFolder_ + "\\MRU0.lcf"));
  EXPECT_FALSE(FileExists(dataFolder_ + "\\MRU1.lcf"));
  auto listed = OpenKind(kKindRecent);
  ASSERT_NE(listed->listing, nullptr);
  EXPECT_EQ(Texts(*listed->listing), Strings{"(Empty)"});
}

// Corrupt files never reach the shell, and only their own slot stays empty: every valid item
// before and after them is loaded and listed; the next save leaves the bad file alone until a
// valid item moves into its place.
TEST_F(RecentFavoritesTest, CorruptAndTruncatedFilesAreSkippedWithoutLosingValidItems) {
  const std::string first = File("first.txt");
  const std::string last = File("last.txt");
  IdList good = Parse(first);
  const std::size_t goodSize = IdListSize(good.list);
  const std::uint8_t runsPast[] = {0x40, 0x00, 'x', 'y', 0, 0};
  const std::uint8_t earlyEnd[] = {0, 0, 9, 9, 9, 9};
  const std::uint8_t countOfOne[] = {1, 0, 0, 0};
  for (const char* name : {"MRU", "FAV"}) {
    StoreList(name, 0, first);
    Store(name, 1, good.list, goodSize - 1);  // terminator cut off
    Store(name, 2, runsPast, sizeof runsPast);
    Store(name, 3, earlyEnd, sizeof earlyEnd);
    Store(name, 4, countOfOne, sizeof countOfOne);
    StoreList(name, 5, last);
  }
  context_.recent.Load(context_);
  context_.favorites.Load(context_);
  EXPECT_EQ(RecentNames(), (Strings{first, last}));
  EXPECT_NE(context_.recent.Item(5), nullptr);
  EXPECT_NE(context_.favorites.Item(0), nullptr);
  EXPECT_NE(context_.favorites.Item(5), nullptr);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(context_.favorites.Item(i), nullptr);
  for (std::uint32_t kind : {kKindRecent, kKindFavorites}) {
    auto listed = OpenKind(kind);
    ASSERT_NE(listed->listing, nullptr);
    Strings texts = Texts(*listed->listing);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (Strings{first, last})) << kind;
  }
  // A new item shifts the list: the valid items are saved at their new places.
  context_.recent.Add(context_, ListFor(File("new.txt")));
  context_.recent.Load(context_);
  EXPECT_EQ(RecentNames(), (Strings{scratch_ / "new.txt", first, last}));
}

// The menu thread reloads the recent list at every right-click, the action thread adds to it
// and saves it, and enumeration threads (some abandoned by their menu) read it, all at once.
// Under any interleaving no list is freed twice and no reader gets a list that was freed.
TEST_F(RecentFavoritesTest, LoadAddAndReadersOnOtherThreadsNeverShareAList) {
  CheckingAllocator checking(allocator_);
  context_.allocator = &checking;
  options_.recentCount = 8;
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) files.push_back(File("item" + std::to_string(i) + ".txt"));
  std::vector<IdList> lists;
  for (const std::string& file : files) lists.push_back(Parse(file));

  constexpr int kRounds = 300;
  std::atomic<int> running{4};
  std::atomic<int> emptyCopies{0};
  std::atomic<int> copies{0};
  auto onThread = [&](auto work) {
    return std::thread([&, work] {
      CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      work();
      running.fetch_sub(1);
      CoUninitialize();
    });
  };
  std::vector<std::thread> threads;
  threads.push_back(onThread([&] {  // Initialize at every right-click
    for (int round = 0; round < kRounds; ++round) context_.recent.Load(context_);
  }));
  threads.push_back(onThread([&] {  // the action thread after each opening
    for (int round = 0; round < kRounds; ++round) {
      context_.recent.Add(context_, CopyIdList(&checking, lists[static_cast<std::size_t>(round) % lists.size()].list));
    }
  }));
  for (int reader = 0; reader < 2; ++reader) {
    threads.push_back(onThread([&] {  // enumerations of "Recent" and the entry that opens it
      while (running.load() > 2) {
        SlotsCopy copy;
        context_.recent.CopyTo(8, copy);
        for (int i = 0; i < copy.Count(); ++i) {
          if (copy.Item(i) == nullptr) continue;
          copies.fetch_add(1);
          if (IdListSize(copy.Item(i)) <= 2) emptyCopies.fetch_add(1);
        }
        if (LPITEMIDLIST first = context_.recent.CopyFirstItem(8)) {
          if (IdListSize(first) <= 2) emptyCopies.fetch_add(1);
          checking.Free(first);
        }
      }
    }));
  }
  for (std::thread& thread : threads) thread.join();
  context_.recent.Load(context_);
  EXPECT_EQ(checking.badFrees.load(), 0) << "lists freed twice";
  EXPECT_EQ(emptyCopies.load(), 0) << "readers copied freed lists (of " << copies.load() << ")";
  EXPECT_GT(copies.load(), 0);
  EXPECT_EQ(RecentNames().size(), 8u);
  context_.recent.Load(context_);
  options_.recentEnabled = 0;
  context_.recent.Load(context_);  // frees the lists while the checking allocator still lives
  context_.allocator = allocator_;
}

}  // namespace
}  // namespace quillo::test
