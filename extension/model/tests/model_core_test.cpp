#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "display_paging.h"
#include "extension_name_rules.h"
#include "growable_array.h"
#include "id_list_bytes.h"
#include "item_filter.h"
#include "menu_delay.h"
#include "name_comparator.h"
#include "order_sort.h"
#include "shell_attributes.h"
#include "text_compare.h"

namespace quillo {
namespace {

// ---- growable arrays --------------------------------------------------------------------------

TEST(GrowableArray, GrowsByDoublingFromSixteenAndInsertsInPlace) {
  GrowableArray<int> array;
  EXPECT_EQ(array.capacity(), 0u);
  EXPECT_EQ(array.Append(1), 0);
  EXPECT_EQ(array.capacity(), 16u);
  for (int i = 2; i <= 17; ++i) array.Append(i);
  EXPECT_EQ(array.capacity(), 32u);
  EXPECT_EQ(array.Insert(1, 100), 1);
  ASSERT_EQ(array.count(), 18u);
  EXPECT_EQ(array[0], 1);
  EXPECT_EQ(array[1], 100);
  EXPECT_EQ(array[2], 2);
  EXPECT_EQ(array[17], 17);
  array.RemoveAt(1);
  EXPECT_EQ(array[1], 2);
  GrowableArray<char> reserved(2048);
  EXPECT_EQ(reserved.capacity(), 2048u);
  EXPECT_EQ(reserved.AppendRange("abc", 4), 0);
  EXPECT_STREQ(reserved.data(), "abc");
}

// ---- filter -----------------------------------------------------------------------------------

class Filter : public ::testing::Test {
 protected:
  Filter() {
    std::memset(&options_, 0, sizeof options_);
    SetList(options_.includeExtensions, {"*"});
    options_.includeAllExtensions = 1;
    options_.dragFoldersOnly = 1;
  }
  static void SetList(char* field, std::initializer_list<const char*> items) {
    char* at = field;
    for (const char* item : items) {
      std::strcpy(at, item);
      at += std::strlen(item) + 1;
    }
    *at = '\0';
  }
  bool Shows(const char* name, std::uint32_t attributes, std::int32_t mode = 0,
             bool desktop = false, const char* target = nullptr) {
    return ShouldShowItem(options_, mode, {name, target ? target : name, attributes, desktop});
  }
  OptionsRecord options_;
};

constexpr std::uint32_t kFile = kAttrFileSystem;
constexpr std::uint32_t kDir = kAttrFileSystem | kAttrFolder;

TEST_F(Filter, ExtensionListsDecideFilesOnly) {
  SetList(options_.includeExtensions, {"txt", "Doc"});
  options_.includeAllExtensions = 0;
  SetList(options_.excludeExtensions, {"bak"});
  EXPECT_TRUE(Shows("report.TXT", kFile));
  EXPECT_TRUE(Shows("letter.doc", kFile));
  EXPECT_FALSE(Shows("image.png", kFile));
  EXPECT_FALSE(Shows("report", kFile));        // extension hidden by Explorer
  EXPECT_FALSE(Shows("archive.txt.bak", kFile));
  EXPECT_TRUE(Shows("folder.png", kDir));       // folders always pass
  // A shortcut is judged by its target's name.
  EXPECT_TRUE(Shows("Notes", kFile | kAttrLink, 0, false, "notes.txt"));
  EXPECT_FALSE(Shows("Notes.txt", kFile | kAttrLink, 0, false, "notes.png"));
}

TEST_F(Filter, StarShowsEverythingButTheExcluded) {
  SetList(options_.excludeExtensions, {"tmp"});
  EXPECT_TRUE(Shows("report", kFile));
  EXPECT_TRUE(Shows("report.xyz", kFile));
  EXPECT_FALSE(Shows("x.TMP", kFile));
  SetList(options_.includeExtensions, {});
  EXPECT_FALSE(Shows("report.xyz", kFile));  // an empty include list hides every file
  EXPECT_TRUE(Shows("dir", kDir));
}

TEST_F(Filter, ExcludedNamesHideEvenVirtualItemsAndContextModeShowsVirtualItems) {
  SetList(options_.excludeObjects, {"Recycle Bin", "desktop.ini"});
  EXPECT_FALSE(Shows("recycle bin", 0, 0, true));
  EXPECT_FALSE(Shows("Desktop.INI", kFile));
  SetList(options_.includeExtensions, {});
  EXPECT_TRUE(Shows("Control Panel", 0));               // not a file-system object
  EXPECT_TRUE(Shows("file.txt", kFile, 0, true));       // everything on the desktop
  EXPECT_FALSE(Shows("file.txt", kFile, 1, true));      // but not in drag mode
}

TEST_F(Filter, DragFoldersOnlyHidesFiles) {
  EXPECT_FALSE(Shows("a.txt", kFile, 1));
  EXPECT_FALSE(Shows("Control Panel", 0, 2));
  EXPECT_TRUE(Shows("dir", kDir, 3));
  EXPECT_FALSE(PassesDragCheck(options_, 1, kFile));
  EXPECT_TRUE(PassesDragCheck(options_, 0, kFile));
  EXPECT_TRUE(PassesDragCheck(options_, 1, kDir));
  options_.dragFoldersOnly = 0;
  EXPECT_TRUE(Shows("a.txt", kFile, 1));
  EXPECT_TRUE(PassesDragCheck(options_, 1, kFile));
}

TEST(TextCompare, ListLookupStaysInsideAnUnterminatedList) {
  char list[8];
  std::memset(list, 'a', sizeof list);  // no terminator anywhere
  EXPECT_FALSE(ListContainsNoCase(list, sizeof list, "aaaaaaaa"));
  std::memcpy(list, "ab\0CD\0\0", 8);
  EXPECT_TRUE(ListContainsNoCase(list, sizeof list, "cd"));
  EXPECT_FALSE(ListContainsNoCase(list, sizeof list, "c"));
  EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
  EXPECT_EQ(CompareNoCase("ABC", "abc"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
}

// ---- name order and sorting -------------------------------------------------------------------

struct Item {
  std::uint32_t attributes;
  std::string name;
};

std::vector<std::string> SortedNames(const std::vector<Item>& items, bool desktop) {
  std::vector<std::int32_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::atomic<std::uint8_t> cancel{0};
  EXPECT_TRUE(SortOrder(order.data(), order.size(), [&](std::int32_t a, std::int32_t b) {
    return CompareByName({items[a].attributes, items[a].name.c_str()},
                         {items[b].attributes, items[b].name.c_str()}, desktop);
  }, cancel));
  std::vector<std::string> names;
  for (std::int32_t i : order) names.push_back(items[i].name);
  return names;
}

TEST(NameSort, FoldersFirstThenNamesIgnoringCase) {
  const std::vector<Item> items = {{kFile, "b.txt"}, {kDir, "zeta"}, {kFile, "A.txt"},
                                   {kDir, "Alpha"},  {kFile, "c"},   {kDir, "beta"}};
  EXPECT_EQ(SortedNames(items, false),
            (std::vector<std::string>{"Alpha", "beta", "zeta", "A.txt", "b.txt", "c"}));
}

// Under a Western code page "файл.txt" and "Юг.txt" read "????.txt" and "??.txt"; ordered by
// those they would come before every letter, and in no meaningful order among themselves.
TEST(NameSort, NamesWithoutAnAnsiFormGoByTheirRealForm) {
  struct Real {
    const char* ansi;
    const wchar_t* real;
  };
  const Real items[] = {{"????.txt", L"файл.txt"}, {"abcd.txt", L"abcd.txt"},
                        {"??.txt", L"Юг.txt"}, {"Zeta.txt", L"Zeta.txt"}, {"A.txt", L"A.txt"}};
  // Lower case for the two Cyrillic capitals used, as the system's mapping would give.
  const FoldUnit fold = [](wchar_t c) -> wchar_t {
    if (c == L'Ю') return L'ю';
    return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
  };
  std::vector<std::int32_t> order{0, 1, 2, 3, 4};
  std::atomic<std::uint8_t> cancel{0};
  ASSERT_TRUE(SortOrder(order.data(), order.size(), [&](std::int32_t a, std::int32_t b) {
    return CompareByName({kFile, items[a].ansi, items[a].real}, {kFile, items[b].ansi, items[b].real},
                         false, fold);
  }, cancel));
  std::vector<std::wstring> sorted;
  for (std::int32_t i : order) sorted.push_back(items[i].real);
  EXPECT_EQ(sorted, (std::vector<std::wstring>{L"A.txt", L"abcd.txt", L"Zeta.txt", L"файл.txt", L"Юг.txt"}));
  // Case is ignored in the real forms, and without a real form the ANSI names decide.
  EXPECT_EQ(CompareByName({kFile, "??", L"Юг"}, {kFile, "??", L"юг"}, false, fold), 0);
  EXPECT_LT(CompareByName({kFile, "a", nullptr}, {kFile, "B", L"B"}, false, fold), 0);
}

TEST(NameSort, DesktopPutsVirtualItemsFirstWithinEachGroup) {
  const std::vector<Item> items = {{kDir, "Archive"},     {kAttrFolder, "Recycle Bin"},
                                   {kFile, "a.txt"},      {kAttrFolder, "Computer"},
                                   {0, "Virtual thing"},  {kDir, "Users"}};
  EXPECT_EQ(SortedNames(items, true),
            (std::vector<std::string>{"Computer", "Recycle Bin", "Archive", "Users",
                                      "Virtual thing", "a.txt"}));
}

// Every size up to a few hundred and many seeds: the heap sort must give exactly std::sort's
// result (the 1-based heap layout applied to 0-based storage does not).
TEST(NameSort, HeapSortMatchesReferenceOnManyInputs) {
  unsigned seed = 12345;
  for (std::size_t n = 0; n < 300; n += (n < 40 ? 1 : 37)) {
    for (int round = 0; round < 5; ++round) {
      std::vector<int> keys(n);
      for (int& key : keys) key = static_cast<int>((seed = seed * 1103515245u + 12345u) >> 20) % 50;
      std::vector<std::int32_t> order(n);
      std::iota(order.begin(), order.end(), 0);
      std::atomic<std::uint8_t> cancel{0};
      ASSERT_TRUE(SortOrder(order.data(), n, [&](std::int32_t a, std::int32_t b) {
        return keys[a] - keys[b];
      }, cancel));
      std::vector<int> sorted;
      for (std::int32_t i : order) sorted.push_back(keys[i]);
      std::vector<int> expected = keys;
      std::sort(expected.begin(), expected.end());
      ASSERT_EQ(sorted, expected) << "n=" << n;
      std::sort(order.begin(), order.end());
      for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(order[i], static_cast<std::int32_t>(i));
    }
  }
}

TEST(NameSort, CancellationStopsPartWayAndKeepsAPermutation) {
  const std::size_t n = 10000;
  std::vector<std::int32_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::atomic<std::uint8_t> cancel{0};
  std::size_t comparisons = 0;
  EXPECT_FALSE(SortOrder(order.data(), n, [&](std::int32_t a, std::int32_t b) {
    if (++comparisons == 5000) cancel = 1;
    return a - b;
  }, cancel));
  EXPECT_LT(comparisons, 5100u);  // stopped at the next step, not at the end (~250,000)
  std::vector<std::int32_t> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(sorted[i], static_cast<std::int32_t>(i));
  EXPECT_FALSE(SortOrder(order.data(), 1, [](std::int32_t, std::int32_t) { return 0; }, cancel));
}

// ---- paging -----------------------------------------------------------------------------------

struct Paged {
  std::vector<std::int32_t> order;
  std::vector<std::int32_t> continueAt;  // per "More..." entry, in creation order
};

// Entries 0..n-1 are items; breaks create entries n, n+1, ... (separator, more).
Paged Page(std::int32_t n, std::int32_t perPage, int cancelAfterBreaks = -1) {
  GrowableArray<std::int32_t> order;
  for (std::int32_t i = 0; i < n; ++i) order.Append(i);
  Paged result;
  std::int32_t next = n;
  std::atomic<std::uint8_t> cancel{0};
  PageDisplayOrder(order, perPage, [&](std::int32_t continueIndex, std::int32_t& separator,
                                       std::int32_t& more) {
    separator = next++;
    more = next++;
    result.continueAt.push_back(continueIndex);
    if (static_cast<int>(result.continueAt.size()) == cancelAfterBreaks) cancel = 1;
    return true;
  }, cancel);
  result.order.assign(order.data(), order.data() + order.count());
  return result;
}

TEST(DisplayPaging, PagesHoldTwoFewerEntriesThanSlotsAndContinueAtTheNextPage) {
  const Paged paged = Page(100, 30);
  ASSERT_EQ(paged.order.size(), 106u);
  EXPECT_EQ(paged.continueAt, (std::vector<std::int32_t>{30, 60, 90}));
  for (int page = 0; page < 3; ++page) {
    for (int slot = 0; slot < 28; ++slot) {
      EXPECT_EQ(paged.order[page * 30 + slot], page * 28 + slot);
    }
    EXPECT_EQ(paged.order[page * 30 + 28], 100 + 2 * page);      // separator
    EXPECT_EQ(paged.order[page * 30 + 29], 100 + 2 * page + 1);  // "More..."
  }
  EXPECT_EQ(paged.order[90], 84);
  EXPECT_EQ(paged.order.back(), 99);
}

TEST(DisplayPaging, ShortOrdersTinyPagesAndCancellation) {
  EXPECT_TRUE(Page(28, 30).continueAt.empty());
  EXPECT_EQ(Page(29, 30).continueAt.size(), 1u);  // the 29th entry moves to the next page
  EXPECT_TRUE(Page(50, 2).continueAt.empty());    // would never end: refused
  EXPECT_EQ(Page(100, 3).order.size(), 100u + 2 * 99);
  EXPECT_EQ(Page(1000, 30, 2).continueAt.size(), 2u);
}

// ---- stored item ID lists ---------------------------------------------------------------------

TEST(IdListBytes, AcceptsOnlyExactlyOneTerminatedList) {
  const std::uint8_t good[] = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0};
  EXPECT_TRUE(IsWellFormedIdList(good, sizeof good));
  const std::uint8_t desktop[] = {0, 0};
  EXPECT_TRUE(IsWellFormedIdList(desktop, 2));
  EXPECT_FALSE(IsWellFormedIdList(good, sizeof good - 1));   // terminator cut
  EXPECT_FALSE(IsWellFormedIdList(good, 5));                 // element runs past the end
  EXPECT_FALSE(IsWellFormedIdList(desktop, 1));
  EXPECT_FALSE(IsWellFormedIdList(nullptr, 0));
  const std::uint8_t early[] = {0, 0, 4, 0, 'a', 'b', 0, 0};  // terminator before the end
  EXPECT_FALSE(IsWellFormedIdList(early, sizeof early));
  const std::uint8_t one[] = {1, 0, 0, 0};                    // a count shorter than itself
  EXPECT_FALSE(IsWellFormedIdList(one, sizeof one));
  const std::uint8_t huge[] = {0xFF, 0xFF, 0, 0};
  EXPECT_FALSE(IsWellFormedIdList(huge, sizeof huge));
  const std::uint8_t marker[] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(IsSeparatorMarker(marker, 4));
  EXPECT_FALSE(IsSeparatorMarker(marker, 3));
  EXPECT_FALSE(IsSeparatorMarker(good, sizeof good));
}

// ---- names made from file names ---------------------------------------------------------------

// The shown name of a child by the rules learned so far, or "?" when the shell must be asked.
std::wstring ShownBy(const ExtensionNameRules& rules, bool folder, const std::wstring& fileName,
                     std::size_t capacity = 260) {
  const std::size_t dot = fileName.rfind(L'.');
  const ExtensionNameRules::Child child{folder, fileName,
                                        dot == std::wstring::npos ? fileName.size() : dot};
  std::wstring out(capacity, L'#');
  if (!rules.Shown(child, out.data(), capacity)) return L"?";
  return out.c_str();
}

void Teach(ExtensionNameRules& rules, bool folder, const std::wstring& fileName,
           const std::wstring& shown) {
  const std::size_t dot = fileName.rfind(L'.');
  rules.Learn({folder, fileName, dot == std::wstring::npos ? fileName.size() : dot}, shown);
}

TEST(ExtensionNameRules, OneAnswerPerKindAndExtensionNamesTheRest) {
  ExtensionNameRules rules;
  EXPECT_EQ(ShownBy(rules, false, L"b.txt"), L"?") << "nothing learned yet";
  Teach(rules, false, L"a.txt", L"a");
  Teach(rules, false, L"a.doc", L"a.doc");
  Teach(rules, false, L"README", L"README");
  EXPECT_EQ(ShownBy(rules, false, L"b.txt"), L"b");
  EXPECT_EQ(ShownBy(rules, false, L"Upper.TXT"), L"Upper") << "extensions ignore ASCII case";
  EXPECT_EQ(ShownBy(rules, false, L"archive.tar.txt"), L"archive.tar");
  EXPECT_EQ(ShownBy(rules, false, L"b.doc"), L"b.doc");
  EXPECT_EQ(ShownBy(rules, false, L"LICENSE"), L"LICENSE");
  EXPECT_EQ(ShownBy(rules, true, L"folder.txt"), L"?") << "folders learn apart from files";
  Teach(rules, true, L"folder.txt", L"folder.txt");
  EXPECT_EQ(ShownBy(rules, true, L"other.txt"), L"other.txt");
  EXPECT_EQ(ShownBy(rules, false, L"c.txt"), L"c");
  Teach(rules, false, L"d.txt", L"d.txt");  // a second answer does not overrule the first
  EXPECT_EQ(ShownBy(rules, false, L"e.txt"), L"e");
}

TEST(ExtensionNameRules, AnythingElseIsAlwaysAskedOfTheShell) {
  ExtensionNameRules rules;
  Teach(rules, false, L"Renamed.ini", L"Something else");
  EXPECT_EQ(ShownBy(rules, false, L"other.ini"), L"?") << "an answer in neither form";
  Teach(rules, false, L".profile", L"");
  Teach(rules, false, L"trailing.", L"trailing");
  EXPECT_EQ(ShownBy(rules, false, L".bashrc"), L"?") << "a name that starts with its dot";
  EXPECT_EQ(ShownBy(rules, false, L"other."), L"?") << "a name that ends with a bare dot";
  EXPECT_EQ(ShownBy(rules, false, L".profile"), L"?");
}

TEST(ExtensionNameRules, ShownNamesAreCutOnWholeCharactersAndTheRulesAreBounded) {
  ExtensionNameRules rules;
  Teach(rules, false, L"a.txt", L"a.txt");
  // "ab" then a surrogate pair: a cut after three units would split the pair.
  EXPECT_EQ(ShownBy(rules, false, L"ab\xD83D\xDE00.txt", 4), L"ab");
  EXPECT_EQ(ShownBy(rules, false, L"abc.txt", 4), L"abc");
  ExtensionNameRules full;
  for (std::size_t i = 0; i < ExtensionNameRules::kMostRules + 1; ++i) {
    const std::wstring extension = L".e" + std::to_wstring(i);
    Teach(full, false, L"x" + extension, L"x" + extension);
  }
  EXPECT_EQ(ShownBy(full, false, L"y.e0"), L"y.e0");
  EXPECT_EQ(ShownBy(full, false, L"y.e" + std::to_wstring(ExtensionNameRules::kMostRules)), L"?");
}

// ---- small rules ------------------------------------------------------------------------------

TEST(MenuDelay, SlowMediaWaitShrinksWithTheDelay) {
  EXPECT_EQ(SlowMediaWaitRounds(0), 50);
  EXPECT_EQ(SlowMediaWaitRounds(400), 10);
  EXPECT_EQ(SlowMediaWaitRounds(1000), 0);
}

}  // namespace
}  // namespace quillo
