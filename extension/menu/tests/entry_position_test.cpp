#include "entry_position.h"

#include <gtest/gtest.h>

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
  std::vector<ExplorerMenuItem> menu{Item(), Entry(), Item()};
  menu = Apply(menu, kMenuPositionDefault);
  EXPECT_EQ(Shape(Apply(menu, kMenuPositionDefault)), "x-Q-x");
  const SeparatorInsertions again = PlanEntrySeparators(menu, kRoot);
  EXPECT_EQ(again.after, -1);
  EXPECT_EQ(again.before, -1);
  // The entry alone at position 0 still gets its separator after it.
  EXPECT_EQ(PlanEntrySeparators(std::vector{Entry(), Item()}, kRoot).after, 1);
}

}  // namespace
}  // namespace quillo
