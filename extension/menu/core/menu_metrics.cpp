#include "menu_metrics.h"

#include <algorithm>

namespace quillo {

namespace {
constexpr int kMinItemHeight = 8;
constexpr int kMinItemsPerColumn = 3;
}  // namespace

const char* SizeColumnSample(int sizeUnits) {
  static constexpr const char* kSamples[] = {"8.888.888.888 KB", "8.888.888 MB", " 8.888 GB",
                                             "  8888 GB"};
  if (sizeUnits < 0 || sizeUnits > 3) return "Ag";
  return kSamples[sizeUnits];
}

MenuMetrics ComputeMenuMetrics(const MenuFontFacts& facts, int itemHeightAdd, int monitorHeight) {
  MenuMetrics m;
  m.IconWidth = facts.iconWidth;
  m.IconHeight = facts.iconHeight;
  m.SizeColumnWidth = facts.sizeColumnWidth;
  m.TextHeight = facts.textHeight;
  const int add = std::clamp(itemHeightAdd, -100, 100);
  m.ItemHeight = std::max(std::max(facts.textHeight, facts.iconHeight) + 2 + add, kMinItemHeight);
  m.SeparatorHeight = m.ItemHeight / 2;
  m.TextOffsetY = (m.ItemHeight - m.TextHeight) / 2;
  m.IconOffsetY = (m.ItemHeight - m.IconHeight) / 2;
  m.ItemsPerColumn = std::max(monitorHeight / m.ItemHeight, kMinItemsPerColumn);
  return m;
}

int EffectiveSubOpenAreaWidth(int subOpenAreaWidth, int itemHeight) {
  if (subOpenAreaWidth == -1) return itemHeight;
  return std::clamp(subOpenAreaWidth, 16, 1024);
}

}  // namespace quillo
