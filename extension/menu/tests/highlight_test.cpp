#include "highlight.h"

#include <gtest/gtest.h>

#include "activation_decision.h"

namespace quillo {
namespace {

TEST(Highlight, DragModeFromTheRootEntryText) {
  EXPECT_EQ(DragModeFromEntryText("Copy To Folder\t>>>", 1), 1);
  EXPECT_EQ(DragModeFromEntryText("Move To Folder", 1), 2);
  EXPECT_EQ(DragModeFromEntryText("Move To Parent", 1), 3);
  EXPECT_EQ(DragModeFromEntryText("Move To", 2), 2);
  EXPECT_EQ(DragModeFromEntryText(nullptr, 2), 2);
}

// An entry highlighted by keyboard while the pointer happens to rest on it: the wait for its
// listing must not end when the pointer moves (and, with the sub open area, Right must open it).
// Where the system reports MF_MOUSESELECT, the flag alone decides; only under Wine, which never
// sets it, does the resting cursor count.
TEST(Highlight, AKeyboardSelectionIsNeverLeft) {
  SelectionInput in;
  in.itemRectKnown = true;
  in.item = Rect{100, 100, 300, 120};
  in.cursor = Point{150, 110};  // resting on the entry
  in.desktop = Rect{0, 0, 1024, 768};
  Selection keyboard = SelectionFor(in);
  EXPECT_FALSE(keyboard.byMouse);
  EXPECT_EQ(keyboard.rect, in.desktop);
  EXPECT_FALSE(CursorLeftSelection(Point{1000, 700}, keyboard.rect));

  in.mouseSelectFlag = true;
  const Selection mouse = SelectionFor(in);
  EXPECT_TRUE(mouse.byMouse);
  EXPECT_TRUE(CursorLeftSelection(Point{1000, 700}, mouse.rect));

  in.mouseSelectFlag = false;
  in.underWine = true;
  EXPECT_TRUE(SelectionFor(in).byMouse) << "Wine: the resting cursor stands in for the flag";
  in.cursor = Point{50, 50};
  EXPECT_FALSE(SelectionFor(in).byMouse);
}

ActivationAction Activate(ItemId id, int mode, bool moveToParent, bool idList = true,
                          bool desktop = false) {
  return DecideActivation(ActivationInput{id, mode, moveToParent, idList, desktop});
}

TEST(Activation, RootEntryAndEntries) {
  constexpr ItemId kRoot = 0xFFFF0001u;
  EXPECT_EQ(Activate(kRoot, 0, false), ActivationAction::kOptionsLauncher);
  EXPECT_EQ(Activate(kNoItemId, 0, false), ActivationAction::kOptionsLauncher);
  EXPECT_EQ(Activate(kRoot, 3, true), ActivationAction::kMoveToParent);
  EXPECT_EQ(Activate(kRoot, 3, false), ActivationAction::kNothing);
  EXPECT_EQ(Activate(MakeItemId(1, 4), 0, false), ActivationAction::kOpenEntry);
  EXPECT_EQ(Activate(MakeItemId(1, 4), 0, false, false), ActivationAction::kNothing);
  EXPECT_EQ(Activate(MakeItemId(0, 0), 0, false, true, true), ActivationAction::kNothing);
  EXPECT_EQ(Activate(MakeItemId(0, 0), 2, false, true, true), ActivationAction::kOpenEntry);
}

TEST(ItemIdValues, LevelAndEntry) {
  EXPECT_EQ(ItemIdLevel(MakeItemId(3, 40000)), 3);
  EXPECT_EQ(ItemIdEntry(MakeItemId(3, 40000)), 40000);  // beyond the signed 16-bit range
  EXPECT_TRUE(IsRootItemId(0xFFFF0000u));
  EXPECT_FALSE(IsRootItemId(kNoItemId));
  EXPECT_FALSE(CanNameEntry(0, 65536));
  EXPECT_FALSE(CanNameEntry(-1, 0));
}

TEST(ItemIdValues, ResolvedOnlyInsideTheirLevelAndListing) {
  // ItemIds name entries by level and entry index (not display position).
  EXPECT_EQ(ResolveItemIdEntry(MakeItemId(1, 99), 2, 106), 99);
  EXPECT_EQ(ResolveItemIdEntry(MakeItemId(1, 106), 2, 106), -1);  // not below the entry count
  EXPECT_EQ(ResolveItemIdEntry(MakeItemId(0, 0), 2, -1), -1);     // level without listing
  EXPECT_EQ(ResolveItemIdEntry(MakeItemId(2, 0), 2, 10), -1);     // level not below the count
  EXPECT_EQ(ResolveItemIdEntry(kRootItemIdBase | 7, 2, 10), -1);  // the root is no level entry
  EXPECT_EQ(ResolveItemIdEntry(kNoItemId, 2, 10), -1);
}

}  // namespace
}  // namespace quillo
