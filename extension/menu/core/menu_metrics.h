// The pixel metrics every menu of the extension is measured and drawn with, derived once per
// initialisation from the font, the icon size and the options.
#pragma once

namespace quillo {

// The height a popup menu adds to the sum of its item heights.
constexpr int kMenuFrameHeight = 6;

// What the caller measures: the small-icon size of the system image list, and the extent in
// MenuFont of the sample string SizeColumnSample(sizeUnits).
struct MenuFontFacts {
  int iconWidth = 0;
  int iconHeight = 0;
  int sizeColumnWidth = 0;
  int textHeight = 0;
};

struct MenuMetrics {
  int IconWidth = 0;
  int IconHeight = 0;
  int SizeColumnWidth = 0;
  int TextHeight = 0;
  int ItemHeight = 0;
  int SeparatorHeight = 0;
  int TextOffsetY = 0;
  int IconOffsetY = 0;
  int ItemsPerColumn = 0;
};

// The string whose extent gives the size column width and the text height: one per sizeUnits
// value 0..3, "Ag" for any other value.
const char* SizeColumnSample(int sizeUnits);

// ItemHeight = max(TextHeight, IconHeight) + 2 + itemHeightAdd, at least 8; itemHeightAdd comes
// from the options file and is held to its documented range -100..100. ItemsPerColumn = the
// monitor height / ItemHeight, but at least 3, so that a page always holds an entry besides
// its separator and "More..." and no caller divides by zero.
MenuMetrics ComputeMenuMetrics(const MenuFontFacts& facts, int itemHeightAdd, int monitorHeight);

// The width in effect for subOpenAreaWidth: -1 stands for ItemHeight; other values are held to
// the documented range 16..1024.
int EffectiveSubOpenAreaWidth(int subOpenAreaWidth, int itemHeight);

}  // namespace quillo
