// Measuring and drawing of one owner-drawn entry: sizes, and where each part of the entry goes
// in its item rectangle. The Win32 layer measures the text, then paints what the plan says with
// the active colour of each role for the plan's selected state.
#pragma once

#include <cstdint>

#include "menu_metrics.h"
#include "screen_geometry.h"

namespace quillo {

// Shell attribute bits that change how an icon is drawn.
constexpr std::uint32_t kAttributeGhosted = 0x00008000;  // SFGAO_GHOSTED
constexpr std::uint32_t kAttributeLink = 0x00010000;     // SFGAO_LINK
constexpr std::uint32_t kAttributeShare = 0x00020000;    // SFGAO_SHARE

struct EntrySize {
  int width = 0;
  int height = 0;
};

// textExtent: width of EntryText in the measuring DC; hasText: EntryText gave a text.
EntrySize MeasureEntry(std::int32_t kind, bool hasText, int textExtent, const MenuMetrics& metrics,
                       bool showSizes);

struct EntryDrawInput {
  Rect item;
  std::int32_t kind = 0;
  bool hasText = false;  // EntryText gave a text
  bool selected = false; // the selected bit of the item state
  int childState = 0;
  std::uint32_t attributes = 0;
  int iconIndex = 0;
  int openIconIndex = 0;
  bool showSizes = false;
  bool subOpenArea = false;
  bool subOpenAreaCustomUnselected = false;
  int subOpenAreaWidth = 0;
};

enum class IconSource { kNone, kModuleIcon, kSystemImageList };

enum IconOverlay { kNoOverlay = 0, kSharedOverlay = 1, kShortcutOverlay = 2 };

struct IconDrawing {
  IconSource source = IconSource::kNone;
  Point at;            // IconWidth x IconHeight from here
  int index = 0;       // image list index (kSystemImageList)
  bool blend50 = false;
  int overlay = kNoOverlay;
};

// Every part is drawn in this order when its flag is set. Text positions are left/top anchors;
// the "?" marker and the size are right-aligned at their anchor's x.
struct EntryDrawing {
  bool selected = false;  // never for "(Empty)" and separators
  Rect background;        // background[selected]
  bool sizeColumn = false;
  Rect sizeColumnRect;    // sizeBackground[selected]
  bool subOpenAreaShown = false;
  Rect subOpenAreaRect;   // subOpenArea[selected]
  bool separatorLines = false;
  int separatorY = 0;     // one row of darkEdge at this y, one of lightEdge below, full width
  bool embossed = false;  // "(Empty)": lightEdge at embossLight, then darkEdge at embossDark
  Point embossLight;
  Point embossDark;
  bool text = false;      // text[selected]
  Point textAt;
  bool questionMark = false;  // "?": children not yet determined
  Point questionMarkRight;
  bool sizeText = false;      // sizeText[selected], the size column formatter's text
  Point sizeTextRight;
  IconDrawing icon;
};

EntryDrawing PlanEntryDrawing(const EntryDrawInput& in, const MenuMetrics& metrics);

}  // namespace quillo
