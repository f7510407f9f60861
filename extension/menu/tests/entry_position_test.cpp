#include "entry_position.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "entry_separators.h"

namespace quillo {
namespace {

constexpr int kItem = 20;
constexpr int kSep = 10;
constexpr std::uint32_t kRoot = 0xFFFF0007u;

ExplorerMenuItem Item(std::uint32_t data = 1) { return ExplorerMenuItem{false, data}; }
ExplorerMenuItem Sep() { return ExplorerMenuItem{true, 0}; }
ExplorerMenuItem Entry() { return ExplorerMenuItem{false, kRoot}; }

int NearMouse(int cursorY, Rect area, const std::vector<int>& heights) {
  return TargetPosition(kNearMouse, Point{50, cursorY}, area, heights, kItem, kSep);
}

// What the hook does to Explorer's menu: the move, then the separators.
std::vector<ExplorerMenuItem> Apply(std::vector<ExplorerMenuItem> menu, int menuPosition,
                                    int invocationMode = 0) {
  PlacementInput in;
  in.invocationMode = invocationMode;
  in.menuPosition = menuPosition;
  in.rootItemData = kRoot;
  in.items = menu;
  in.area = Rect{0, 0, 1024, 768};
  in.itemHeight = kItem;
  in.separatorHeight = kSep;
  const EntryPlacement placement = PlanEntryPlacement(in);
  if (placement.moves) {
    const ExplorerMenuItem entry = menu[placement.from];
    menu.erase(menu.begin() + placement.from);
    menu.insert(menu.begin() + std::min<std::size_t>(placement.to, menu.size()), entry);
  }
  if (placement.addSeparators) {
    const SeparatorInsertions s = PlanEntrySeparators(menu, kRoot);
    if (s.after >= 0) menu.insert(menu.begin() + s.after, Sep());
    if (s.before >= 0) menu.insert(menu.begin() + s.before, Sep());
  }
  return menu;
}

std::string Shape(const std::vector<ExplorerMenuItem>& menu) {
  std::string s;
  for (const auto& item : menu) s += item.separator ? '-' : item.itemData == kRoot ? 'Q' : 'x';
  return s;
}

TEST(NearMouse, OpeningDownwardPutsTheEntryFirst) {
  EXPECT_EQ(NearMouse(100, Rect{0, 0, 1024, 768}, {kItem, kItem, kSep, kItem, kItem}), 0);
}

TEST(NearMouse, NearTheBottomTheMenuOpensUpwardAndTheEntryEndsIt) {
  // Six items: with the entry last the menu is 6 + 120 + 10 + 20 = 156 high, top 834, entry
  // centre 834 + 130 + 12 = 976, 14 pixels above the cursor; every other position is farther.
  const std::vector<int> heights(6, kItem);
  EXPECT_EQ(NearMouse(990, Rect{0, 0, 1024, 1000}, heights), 6);
  // The work area, not the monitor, bounds the menu from Vista on.
  const Rect monitor{0, 0, 1024, 1040}, work{0, 0, 1024, 1000};
  EXPECT_EQ(PositioningArea(600, monitor, work), work);
  EXPECT_EQ(PositioningArea(510, monitor, work), monitor);
}

TEST(NearMouse, TallMenuPushedUpFromTheBottomPlacesTheEntryUnderTheCursor) {
  // Fits neither below nor above y = 100 in a 200-pixel area: top = 200 - 246 = -46, and the
  // entry framed by two separators at position k has its centre at 20k - 24; k = 6 gives 96.
  const std::vector<int> heights(10, kItem);
  EXPECT_EQ(NearMouse(100, Rect{0, 0, 800, 200}, heights), 6);
}

TEST(NearMouse, AnExistingSeparatorIsNotDoubledAndTiesKeepTheEarlierPosition) {
  // Too tall for a 100-pixel area: top = 100 - T. Next to the existing separator (k = 2 before
  // it, k = 3 after it) no separator is simulated on that side, so both give T = 146 and an
  // entry centre of 16; the earlier one wins. A doubled separator would move k = 2 to 6.
  const std::vector<int> heights{kItem, kItem, kSep, kItem, kItem, kItem};
  EXPECT_EQ(NearMouse(16, Rect{0, 0, 800, 100}, heights), 2);
  EXPECT_EQ(NearMouse(50, Rect{0, 0, 800, 100}, heights), 5);
}

TEST(NearMouse, NoCandidateWithinRangeTakesTheNearestOne) {
  // The cursor lies far below a small work area (on a taskbar): every entry centre is more than
  // 316 pixels away; the entry goes where it comes nearest, at the bottom.
  const std::vector<int> heights(40, kItem);
  EXPECT_EQ(NearMouse(700, Rect{0, 0, 800, 300}, heights), 40);
}

// The placement rule written out literally, list and all: the simulated menu's heights, the best
// distance starting at 100000, position e or e - 1. Nothing when no candidate comes that close.
std::optional<int> LiteralNearMouse(int y, Rect r, const std::vector<int>& h, int item, int sep) {
  const int m = static_cast<int>(h.size());
  long long best = 100000;
  std::optional<int> position;
  for (int k = 0; k <= m; ++k) {
    std::vector<int> list;
    bool sepBefore = false;
    std::size_t e = 0;
    for (int j = 0; j <= m; ++j) {
      const int remaining = j < m ? h[j] : 0;
      if (j == k) {
        if (k > 0 && !list.empty() && list.back() != sep) {
          list.push_back(sep);
          sepBefore = true;
        }
        e = list.size();
        list.push_back(item);
        if (k < m && remaining != sep) list.push_back(sep);
      }
      list.push_back(remaining);
    }
    long long total = 6, before = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      total += list[i];
      if (i < e) before += list[i];
    }
    const long long top = r.bottom - y >= total ? y : y - r.top >= total ? y - total : r.bottom - total;
    const long long centre = top + before + (item + 6) / 2 - 1;
    const long long d = (y - centre) * (y - centre);
    if (d < best) {
      best = d;
      position = static_cast<int>(sepBefore ? e - 1 : e);
    }
  }
  return position;
}

TEST(NearMouse, AgreesWithTheLiteralRuleOnRandomMenus) {
  std::mt19937 random(7);
  const auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
  int compared = 0;
  for (int round = 0; round < 3000; ++round) {
    const int item = uniform(8, 40), sep = item / 2;
    std::vector<int> heights(uniform(0, 40));
    for (int& height : heights) height = uniform(0, 4) == 0 ? sep : item;
    const Rect area{0, uniform(0, 100), 1024, uniform(200, 1200)};
    const int y = uniform(area.top - 50, area.bottom + 50);
    const int got = TargetPosition(kNearMouse, Point{10, y}, area, heights, item, sep);
    ASSERT_GE(got, 0);
    ASSERT_LE(got, static_cast<int>(heights.size()));
    if (const auto expected = LiteralNearMouse(y, area, heights, item, sep)) {
      ASSERT_EQ(got, *expected) << "round " << round;
      ++compared;
    }
  }
  EXPECT_GT(compared, 2500);
}

TEST(EntryPlacement, TopAndBottomOfMenu) {
  EXPECT_EQ(Shape(Apply({Item(), Item(), Entry(), Item()}, kTopOfMenu)), "Q-xxx");
  EXPECT_EQ(Shape(Apply({Item(), Sep(), Entry(), Item()}, kBottomOfMenu)), "x-x-Q");
  EXPECT_EQ(Shape(Apply({Entry(), Item(), Sep()}, kBottomOfMenu)), "x-Q");
  EXPECT_EQ(Shape(Apply({}, kBottomOfMenu)), "");
}

TEST(EntryPlacement, NearMouseMovesTheLastEntryAndFramesTheBlock) {
  // Cursor at the top of the screen: the menu opens downward and the entry goes first.
  EXPECT_EQ(Shape(Apply({Item(), Entry(), Item(), Entry(), Item()}, kNearMouse)), "QxQ-xx");
}

TEST(EntryPlacement, EntryMissingOrBeyondTheLookedAtItemsLeavesTheMenuAlone) {
  EXPECT_EQ(Shape(Apply({Item(), Item()}, kTopOfMenu)), "xx");
  std::vector<ExplorerMenuItem> menu(kMaxRepositionedItems, Item());
  menu.push_back(Entry());
  const auto result = Apply(menu, kTopOfMenu);
  EXPECT_EQ(result.size(), menu.size());
  EXPECT_EQ(result.back().itemData, kRoot);
}

TEST(EntryPlacement, DragMenusAndDefaultAreFramedInPlace) {
  const std::vector<ExplorerMenuItem> drag{Item(), Entry(), Entry(), Entry(), Item()};
  EXPECT_EQ(Shape(Apply(drag, kTopOfMenu, 1)), "x-QQQ-x");
  EXPECT_EQ(Shape(Apply({Item(), Entry(), Item()}, kMenuPositionDefault)), "x-Q-x");
}

TEST(EntrySeparators, AreAddedOnceAcrossRepeatedOpenings) {
  // Random menus with the entry (or a drag block) anywhere: one pass frames it, a second pass
  // finds nothing to add.
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    std::vector<ExplorerMenuItem> menu(std::uniform_int_distribution(0, 8)(random));
    for (auto& item : menu) item = std::uniform_int_distribution(0, 2)(random) == 0 ? Sep() : Item();
    const int at = std::uniform_int_distribution(0, static_cast<int>(menu.size()))(random);
    menu.insert(menu.begin() + at, std::uniform_int_distribution(1, 3)(random), Entry());
    menu = Apply(menu, kMenuPositionDefault);
    const SeparatorInsertions again = PlanEntrySeparators(menu, kRoot);
    ASSERT_EQ(again.after, -1) << Shape(menu);
    ASSERT_EQ(again.before, -1) << Shape(menu);
    const std::string shape = Shape(menu);
    const auto first = shape.find('Q'), last = shape.rfind('Q');
    ASSERT_TRUE(first == 0 || shape[first - 1] == '-') << shape;
    ASSERT_TRUE(last == shape.size() - 1 || shape[last + 1] == '-') << shape;
  }
  // The entry alone at position 0 still gets its separator after it.
  EXPECT_EQ(PlanEntrySeparators(std::vector{Entry(), Item()}, kRoot).after, 1);
}

}  // namespace
}  // namespace quillo
