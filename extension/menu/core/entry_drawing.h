// Measuring and drawing of one owner-drawn entry: sizes, and where each part of the entry goes
// in its item rectangle. The Win32 layer measures the text, then paints what the plan says with
// the active colour of each role for the plan's selected state.
#pragma once

#include <cstdint>
#include <optional>

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

// "(Empty)" is drawn embossed: in lightEdge at `light`, then in darkEdge at `dark`.
struct EmbossedText {
  Point light;
  Point dark;
};

// The parts present are drawn in this order. Text anchors are left/top; the "?" marker and the
// size are right-aligned at their anchor's x.
struct EntryDrawing {
  bool selected = false;  // never for "(Empty)" and separators
  Rect background;        // background[selected]
  std::optional<Rect> sizeColumn;    // sizeBackground[selected]
  std::optional<Rect> subOpenArea;   // subOpenArea[selected]
  std::optional<int> separatorY;     // a row of darkEdge at this y, lightEdge below, full width
  std::optional<EmbossedText> embossed;
  std::optional<Point> text;         // text[selected]
  std::optional<Point> questionMark; // "?": the entry's children are not yet determined
  std::optional<Point> sizeText;     // sizeText[selected], the size column formatter's text
  IconDrawing icon;
};

EntryDrawing PlanEntryDrawing(const EntryDrawInput& in, const MenuMetrics& metrics);

}  // namespace quillo
