#include "entry_drawing.h"

#include <gtest/gtest.h>

#include <string>

#include "entry_kind.h"

namespace quillo {
namespace {

MenuMetrics Metrics() { return ComputeMenuMetrics(MenuFontFacts{16, 16, 100, 13}, 0, 1080); }

EntryDrawInput Input(std::int32_t kind, bool selected = false) {
  EntryDrawInput in;
  in.item = Rect{0, 36, 300, 54};
  in.kind = kind;
  in.hasText = true;
  in.selected = selected;
  in.iconIndex = 4;
  in.openIconIndex = 5;
  in.subOpenAreaWidth = 18;
  return in;
}

TEST(EntryText, FixedTextsAndBoundedNames) {
  const char names[] = "alpha\0beta";  // both names end inside the buffer
  EXPECT_EQ(std::string(EntryText(kMoreEntry, names)), "More...");
  EXPECT_EQ(std::string(EntryText(kEmptyEntry, names)), "(Empty)");
  EXPECT_EQ(std::string(EntryText(6, names)), "beta");
  EXPECT_EQ(EntryText(kSeparatorEntry, names), nullptr);
  EXPECT_EQ(EntryText(sizeof names, names), nullptr);
  const char unterminated[] = {'a', 'b', 'c'};
  EXPECT_EQ(EntryText(0, unterminated), nullptr);
  EXPECT_EQ(EntryText(-9, names), nullptr);
}

// A names buffer as the enumeration writes it: each ANSI name, its NUL, then the offset of its
// real form in the real names.
std::string WithOffset(const std::string& ansi, std::int32_t offset) {
  std::string bytes = ansi + '\0';
  bytes.append(reinterpret_cast<const char*>(&offset), sizeof offset);
  return bytes;
}

TEST(EntryText, RealTextsStandBesideTheAnsiNames) {
  const std::string names = WithOffset("????.txt", 0) + WithOffset("abc", 9) + WithOffset("x", 99);
  const std::wstring realNames(L"файл.txt\0abc\0", 13);
  const std::span<const char> n(names.data(), names.size());
  const std::span<const wchar_t> r(realNames.data(), realNames.size());
  EXPECT_EQ(std::string(EntryText(0, n)), "????.txt");  // the ANSI text is untouched
  EXPECT_EQ(std::wstring(EntryRealText(0, n, r)), L"файл.txt");
  EXPECT_EQ(std::wstring(EntryRealText(13, n, r)), L"abc");
  EXPECT_EQ(EntryRealText(21, n, r), nullptr);          // an offset past the real names
  EXPECT_EQ(EntryRealText(kMoreEntry, n, r), nullptr);  // fixed texts have only the ANSI form
  EXPECT_EQ(EntryRealText(0, n.first(10), r), nullptr);  // the offset is cut off
  const std::wstring unterminated(L"файл");
  EXPECT_EQ(EntryRealText(0, n, std::span<const wchar_t>(unterminated.data(), 4)), nullptr);
}

TEST(EntryDrawing, Measure) {
  const MenuMetrics m = Metrics();
  EXPECT_EQ(MeasureEntry(3, true, 50, m, false).width, 50 + 15 + 16);
  EXPECT_EQ(MeasureEntry(3, true, 50, m, true).width, 50 + 15 + 16 + 100);
  EXPECT_EQ(MeasureEntry(3, true, 50, m, true).height, 18);
  EXPECT_EQ(MeasureEntry(kSeparatorEntry, false, 0, m, true).width, 0);
  EXPECT_EQ(MeasureEntry(kSeparatorEntry, false, 0, m, true).height, 9);
  EXPECT_EQ(MeasureEntry(3, false, 50, m, true).height, 0);  // stale name offset
}

TEST(EntryDrawing, SeparatorAndEmptyAreNeverSelectedAndHaveNoIcon) {
  const EntryDrawing sep = PlanEntryDrawing(Input(kSeparatorEntry, true), Metrics());
  EXPECT_FALSE(sep.selected);
  EXPECT_EQ(sep.separatorY, 36 + 4);
  EXPECT_FALSE(sep.text);
  EXPECT_EQ(sep.icon.source, IconSource::kNone);
  const EntryDrawing empty = PlanEntryDrawing(Input(kEmptyEntry, true), Metrics());
  EXPECT_FALSE(empty.selected);
  ASSERT_TRUE(empty.embossed);
  EXPECT_EQ(empty.embossed->light.x, 22);
  EXPECT_EQ(empty.embossed->light.y, 36 + 2 + 1);
  EXPECT_EQ(empty.embossed->dark.x, 21);
  EXPECT_FALSE(empty.text);
  EXPECT_EQ(empty.icon.source, IconSource::kNone);
}

TEST(EntryDrawing, ShellItemWithUnknownChildrenAndSizes) {
  EntryDrawInput in = Input(0, true);
  in.childState = -1;
  in.showSizes = true;
  in.attributes = kAttributeLink | kAttributeShare | kAttributeGhosted;
  const EntryDrawing d = PlanEntryDrawing(in, Metrics());
  EXPECT_TRUE(d.selected);
  EXPECT_EQ(d.sizeColumn, (Rect{185, 36, 285, 54}));
  ASSERT_TRUE(d.text && d.questionMark && d.sizeText);
  EXPECT_EQ(d.text->x, 21);
  EXPECT_EQ(d.text->y, 38);
  EXPECT_EQ(d.questionMark->x, 295);
  EXPECT_EQ(d.sizeText->x, 300 - 16 - 5);
  EXPECT_FALSE(d.subOpenArea);
  EXPECT_EQ(d.icon.source, IconSource::kSystemImageList);
  EXPECT_EQ(d.icon.index, 5);  // open icon while selected
  EXPECT_TRUE(d.icon.blend50);
  EXPECT_EQ(d.icon.overlay, kShortcutOverlay);
  EXPECT_EQ(d.icon.at.y, 37);
}

TEST(EntryDrawing, KnownChildrenAndNavigationEntries) {
  EntryDrawInput in = Input(0);
  in.childState = 1;
  in.subOpenArea = true;
  in.subOpenAreaCustomUnselected = true;
  in.attributes = kAttributeShare;
  const EntryDrawing d = PlanEntryDrawing(in, Metrics());
  EXPECT_FALSE(d.questionMark);
  ASSERT_TRUE(d.subOpenArea);
  EXPECT_EQ(d.subOpenArea->left, 282);
  EXPECT_EQ(d.icon.index, 4);
  EXPECT_EQ(d.icon.overlay, kSharedOverlay);

  EntryDrawInput recent = Input(kRecentEntry);
  recent.childState = 1;
  recent.showSizes = true;
  const EntryDrawing r = PlanEntryDrawing(recent, Metrics());
  EXPECT_TRUE(r.sizeColumn);
  EXPECT_FALSE(r.sizeText);
  EXPECT_EQ(r.icon.source, IconSource::kModuleIcon);
  EXPECT_EQ(PlanEntryDrawing(Input(kMoreEntry), Metrics()).icon.source,
            IconSource::kSystemImageList);

  EntryDrawInput stale = Input(40);
  stale.hasText = false;
  const EntryDrawing s = PlanEntryDrawing(stale, Metrics());
  EXPECT_FALSE(s.text);
  EXPECT_EQ(s.icon.source, IconSource::kNone);
}

}  // namespace
}  // namespace quillo
