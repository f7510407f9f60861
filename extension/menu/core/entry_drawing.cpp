#include "entry_drawing.h"

#include "entry_kind.h"
#include "sub_open_area.h"

namespace quillo {

namespace {

// Room beside the text for the icon's margins and the submenu arrow.
constexpr int kEntryPadding = 15;
constexpr int kTextGap = 5;
constexpr int kIconLeft = 2;

bool IsNavigationEntry(std::int32_t kind) {
  return kind == kRecentEntry || kind == kFavoritesEntry || kind == kMoreEntry;
}

IconDrawing PlanIcon(const EntryDrawInput& in, bool selected, const MenuMetrics& metrics) {
  IconDrawing icon;
  icon.at = Point{in.item.left + kIconLeft, in.item.top + metrics.IconOffsetY};
  if (in.kind == kRecentEntry || in.kind == kFavoritesEntry) {
    icon.source = IconSource::kModuleIcon;
    return icon;
  }
  icon.source = IconSource::kSystemImageList;
  icon.index = selected ? in.openIconIndex : in.iconIndex;
  icon.blend50 = (in.attributes & kAttributeGhosted) != 0;
  if (in.attributes & kAttributeLink) {
    icon.overlay = kShortcutOverlay;
  } else if (in.attributes & kAttributeShare) {
    icon.overlay = kSharedOverlay;
  }
  return icon;
}

}  // namespace

EntrySize MeasureEntry(std::int32_t kind, bool hasText, int textExtent, const MenuMetrics& metrics,
                       bool showSizes) {
  if (kind == kSeparatorEntry) return EntrySize{0, metrics.SeparatorHeight};
  if (!hasText) return EntrySize{};
  const int sizeColumn = showSizes ? metrics.SizeColumnWidth : 0;
  return EntrySize{textExtent + kEntryPadding + metrics.IconWidth + sizeColumn, metrics.ItemHeight};
}

EntryDrawing PlanEntryDrawing(const EntryDrawInput& in, const MenuMetrics& metrics) {
  const Rect& r = in.item;
  EntryDrawing d;
  d.selected = in.selected && in.kind != kEmptyEntry && in.kind != kSeparatorEntry;
  d.background = r;
  if (in.showSizes) {
    d.sizeColumn = Rect{r.right - kEntryPadding - metrics.SizeColumnWidth, r.top,
                        r.right - kEntryPadding, r.bottom};
  }
  if (PaintsSubOpenArea(in.subOpenArea, in.childState, d.selected,
                        in.subOpenAreaCustomUnselected)) {
    d.subOpenArea = SubOpenAreaRect(r, in.subOpenAreaWidth);
  }
  const Point text{r.left + metrics.IconWidth + kTextGap, r.top + metrics.TextOffsetY};
  if (in.kind == kSeparatorEntry) {
    d.separatorY = r.top + metrics.SeparatorHeight / 2;
    return d;
  }
  if (in.kind == kEmptyEntry) {
    d.embossed = EmbossedText{Point{text.x + 1, text.y + 1}, text};
    return d;
  }
  if (!in.hasText) return d;
  d.text = text;
  if (in.childState < 0) d.questionMark = Point{r.right - kTextGap, text.y};
  if (in.showSizes && !IsNavigationEntry(in.kind)) {
    d.sizeText = Point{r.right - metrics.IconWidth - kTextGap, text.y};
  }
  d.icon = PlanIcon(in, d.selected, metrics);
  return d;
}

}  // namespace quillo
