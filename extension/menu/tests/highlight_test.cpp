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

TEST(Highlight, AKeyboardSelectionIsNeverLeft) {
  // Highlighting by keyboard makes the selection the whole desktop.
  const Rect desktop{0, 0, 1024, 768};
  EXPECT_FALSE(CursorLeftSelection(Point{1000, 700}, desktop));
  EXPECT_TRUE(CursorLeftSelection(Point{1024, 700}, desktop));
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
