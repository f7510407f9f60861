#include "open_level.h"

#include <gtest/gtest.h>

#include "sub_open_area.h"

namespace quillo {
namespace {

OpenLevelAction Decide(ItemId highlighted, int levels, bool nextVisible, bool held = false) {
  return DecideOpenLevel(OpenLevelInput{highlighted, levels, nextVisible, held});
}

TEST(OpenLevel, TheRootEntryOpensLevelZero) {
  EXPECT_EQ(ParentLevel(0xFFFF0007u), -1);
  EXPECT_EQ(ParentLevel(kNoItemId), -1);
  EXPECT_EQ(Decide(0xFFFF0007u, 0, false), OpenLevelAction::kBuild);
  // Level 0 exists but its window is gone (a sibling replaced it): build it again.
  EXPECT_EQ(Decide(0xFFFF0007u, 3, false), OpenLevelAction::kBuild);
}

TEST(OpenLevel, AnOpenVisibleSubmenuIsNotRebuilt) {
  EXPECT_EQ(Decide(MakeItemId(0, 12), 2, true), OpenLevelAction::kAlreadyOpen);
  EXPECT_EQ(Decide(MakeItemId(1, 12), 2, true), OpenLevelAction::kBuild);  // no level 2 yet
}

TEST(OpenLevel, StaleHighlightAndTheSubOpenAreaLeaveThePopupEmpty) {
  EXPECT_EQ(Decide(MakeItemId(5, 0), 2, false), OpenLevelAction::kLeaveEmpty);
  EXPECT_EQ(Decide(MakeItemId(0, 0), 1, false, true), OpenLevelAction::kLeaveEmpty);
}

TEST(SubOpenArea, OnlyTheRightHandStripOpensTheSubmenu) {
  const Rect entry{100, 40, 300, 58};
  EXPECT_TRUE(SubmenuHeldBack(true, true, Point{150, 45}, entry, 18));
  EXPECT_FALSE(SubmenuHeldBack(true, true, Point{282, 45}, entry, 18));   // first strip pixel
  EXPECT_TRUE(SubmenuHeldBack(true, true, Point{281, 45}, entry, 18));
  EXPECT_FALSE(SubmenuHeldBack(true, false, Point{150, 45}, entry, 18));  // keyboard
  EXPECT_FALSE(SubmenuHeldBack(false, true, Point{150, 45}, entry, 18));
  EXPECT_FALSE(SubmenuHeldBack(true, true, Point{150, 58}, entry, 18));   // left the entry
  EXPECT_EQ(SubOpenAreaRect(entry, 18), (Rect{282, 40, 300, 58}));
}

TEST(SubOpenArea, PaintedOnCascadingEntries) {
  EXPECT_TRUE(PaintsSubOpenArea(true, 1, true, false));
  EXPECT_FALSE(PaintsSubOpenArea(true, 1, false, false));
  EXPECT_TRUE(PaintsSubOpenArea(true, 1, false, true));
  EXPECT_FALSE(PaintsSubOpenArea(true, -1, true, true));
  EXPECT_FALSE(PaintsSubOpenArea(false, 1, true, true));
}

}  // namespace
}  // namespace quillo
