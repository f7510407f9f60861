#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool_tip_layout.h"
#include "tool_tip_text.h"

namespace quillo {
namespace {

TEST(ToolTipText, KindWord) {
  EXPECT_STREQ(ToolTipKindWord(kToolTipLink | kToolTipFolder | kToolTipFileSystem), "Shortcut");
  EXPECT_STREQ(ToolTipKindWord(kToolTipFolder | kToolTipFileSystem), "Folder");
  EXPECT_STREQ(ToolTipKindWord(kToolTipFolder), "Container");
  EXPECT_STREQ(ToolTipKindWord(kToolTipFileSystem), "File");
  EXPECT_STREQ(ToolTipKindWord(0), "Object");
}

TEST(ToolTipText, FileShowsNameFolderTypeAndSize) {
  ToolTipLines lines;
  SetItemLines(lines, "a.txt", "C:\\data", kToolTipFileSystem);
  EXPECT_STREQ(lines[0], "Name: \ta.txt");
  EXPECT_STREQ(lines[1], "Path: \tC:\\data");
  EXPECT_STREQ(lines[2], "Type: \tFile");
  for (int i = 3; i < kToolTipLineCount; ++i) EXPECT_FALSE(ToolTipLineShown(lines, i)) << i;
  SetFileSizeLine(lines, 1536);
  EXPECT_STREQ(lines[3], "Size: \t1,50 KB (1.536 bytes)");
  EXPECT_TRUE(ToolTipLineShown(lines, 3));
  EXPECT_FALSE(ToolTipLineShown(lines, 4));
}

TEST(ToolTipText, EmptyNameStillShowsLineZero) {
  ToolTipLines lines;
  SetItemLines(lines, "", "", 0);
  EXPECT_TRUE(ToolTipLineShown(lines, 0));
  EXPECT_FALSE(ToolTipLineShown(lines, 1));
  EXPECT_TRUE(ToolTipLineShown(lines, 2));
}

TEST(ToolTipText, FolderCounts) {
  ToolTipLines lines;
  SetItemLines(lines, "f", "C:\\", kToolTipFolder | kToolTipFileSystem);
  FolderCounts one;
  one.files[0] = 1;
  one.folders[0] = 1;
  one.sizes[0] = 512;
  one.files[1] = 1233;
  one.folders[1] = 2;
  one.sizes[1] = 1024;
  SetFolderCountLines(lines, one);
  EXPECT_STREQ(lines[3], "Size: \t512 bytes");
  EXPECT_STREQ(lines[4], "      \t1 File, 1 Folder");
  EXPECT_STREQ(lines[5], "Total:\t1,50 KB (1.536 bytes)");
  EXPECT_STREQ(lines[6], "      \t1.234 Files, 3 Folders");
  SetFolderCountLines(lines, FolderCounts{});
  EXPECT_STREQ(lines[4], "      \t0 Files, 0 Folders");
  EXPECT_STREQ(lines[6], "      \t0 Files, 0 Folders");
}

TEST(ToolTipText, HiddenProtectedItemsCountedInBothLines) {
  ToolTipLines lines;
  FolderCounts counts;
  counts.hiddenProtected[0] = 2;
  SetFolderCountLines(lines, counts);
  EXPECT_STREQ(lines[4], "      \t0 Files, 0 Folders, 2 Hidden protected OS items");
  // The total covers the folder itself too.
  EXPECT_STREQ(lines[6], "      \t0 Files, 0 Folders, 2 Hidden protected OS items");
  counts.hiddenProtected[0] = 0;
  counts.hiddenProtected[1] = 1;
  SetFolderCountLines(lines, counts);
  EXPECT_STREQ(lines[4], "      \t0 Files, 0 Folders");
  EXPECT_STREQ(lines[6], "      \t0 Files, 0 Folders, 1 Hidden protected OS item");
}

TEST(ToolTipText, ObjectCountOfVirtualFolder) {
  ToolTipLines lines;
  SetFolderCountLines(lines, FolderCounts{});
  SetObjectCountLines(lines, 1);
  EXPECT_STREQ(lines[3], "Size: \t1 Object");
  for (int i = 4; i < kToolTipLineCount; ++i) EXPECT_FALSE(ToolTipLineShown(lines, i)) << i;
  SetObjectCountLines(lines, 1500);
  EXPECT_STREQ(lines[3], "Size: \t1.500 Objects");
}

TEST(ToolTipText, LongNamesAreCutToTheLine) {
  ToolTipLines lines;
  const std::string name(600, 'n');
  SetItemLines(lines, name.c_str(), name.c_str(), 0);
  EXPECT_EQ(std::string(lines[0]).size(), kToolTipLineSize - 1);
  EXPECT_EQ(std::string(lines[1]).substr(0, 7), "Path: \t");
}

TEST(ToolTipLayout, SizeFromLines) {
  const std::vector<int> three{100, 180, 50};
  const ToolTipSize size = ToolTipSizeFor(three, 13);
  EXPECT_EQ(size.width, 188);
  EXPECT_EQ(size.height, 3 * 15 + 2 + 5);
  const std::vector<int> seven(7, 10);
  EXPECT_EQ(ToolTipSizeFor(seven, 13).height, 7 * 15 + 6 + 5);
  EXPECT_EQ(ToolTipSizeFor(std::vector<int>{10}, 13).height, 20);
}

TEST(ToolTipLayout, PlacedBelowAndRightOfCursor) {
  const Rect desktop{0, 0, 1024, 768};
  const Point p = ToolTipPosition({300, 200}, {150, 60}, false, desktop);
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 217);
}

TEST(ToolTipLayout, StaysOnTheDesktop) {
  const Rect desktop{0, 0, 1024, 768};
  // Near the right edge: pulled in; near the bottom: above the cursor.
  Point p = ToolTipPosition({1000, 740}, {150, 60}, false, desktop);
  EXPECT_EQ(p.x, 874);
  EXPECT_EQ(p.y, 740 - 60 - 3);
  // Exactly touching the bottom edge still fits below.
  p = ToolTipPosition({10, 768 - 17 - 60}, {150, 60}, false, desktop);
  EXPECT_EQ(p.y, 768 - 60);
  // A deeper menu open to the right: left of the cursor, but not off the left edge.
  EXPECT_EQ(ToolTipPosition({500, 100}, {150, 60}, true, desktop).x, 350);
  EXPECT_EQ(ToolTipPosition({100, 100}, {150, 60}, true, desktop).x, 0);
  EXPECT_EQ(ToolTipPosition({0, 100}, {150, 60}, true, desktop).x, -150);
}

TEST(ToolTipLayout, HoverShowsOnceAfterTheDelay) {
  HoverInput in{true, false, false, 3};
  int ticks = 0;
  EXPECT_EQ(HoverTick(in, ticks), HoverAction::kNone);
  EXPECT_EQ(HoverTick(in, ticks), HoverAction::kNone);
  EXPECT_EQ(HoverTick(in, ticks), HoverAction::kShow);
  EXPECT_EQ(HoverTick(in, ticks), HoverAction::kNone);  // once per highlight
  EXPECT_EQ(ticks, 4);
}

TEST(ToolTipLayout, HoverWaitsForTheCursorOnTheEntry) {
  int ticks = 0;
  EXPECT_EQ(HoverTick(HoverInput{false, false, false, 1}, ticks), HoverAction::kNone);
  EXPECT_EQ(HoverTick(HoverInput{true, true, false, 1}, ticks), HoverAction::kNone);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(HoverTick(HoverInput{true, false, true, 1}, ticks), HoverAction::kHide);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(HoverTick(HoverInput{true, false, false, 0}, ticks), HoverAction::kNone);
}

}  // namespace
}  // namespace quillo
