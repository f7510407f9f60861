#include "menu_metrics.h"

#include <algorithm>

namespace quillo {

const char* SizeColumnSample(std::int32_t sizeUnits) {
  switch (sizeUnits) {
    case 0: return "8.888.888.888 KB";
    case 1: return "8.888.888 MB";
    case 2: return " 8.888 GB";
    case 3: return "  8888 GB";
    default: return "Ag";
  }
}

MenuMetrics ComputeMenuMetrics(int sampleWidth, int sampleHeight, int iconWidth, int iconHeight,
                               std::int32_t itemHeightAdd) {
  constexpr int kMinItemHeight = 8;
  MenuMetrics m;
  m.IconWidth = iconWidth;
  m.IconHeight = iconHeight;
  m.SizeColumnWidth = sampleWidth;
  m.TextHeight = sampleHeight;
  const int add = std::clamp<std::int32_t>(itemHeightAdd, -100, 100);
  m.ItemHeight = std::max(std::max(sampleHeight, iconHeight) + 2 + add, kMinItemHeight);
  m.SeparatorHeight = m.ItemHeight / 2;
  return m;
}

MenuPlacement ComputeMenuPlacement(const MenuMetrics& metrics, int monitorHeight) {
  constexpr int kMinItemsPerColumn = 3;
  MenuPlacement p;
  p.ItemsPerColumn = std::max(monitorHeight / std::max(metrics.ItemHeight, 1), kMinItemsPerColumn);
  p.TextOffsetY = (metrics.ItemHeight - metrics.TextHeight) / 2;
  p.IconOffsetY = (metrics.ItemHeight - metrics.IconHeight) / 2;
  return p;
}

}  // namespace quillo
