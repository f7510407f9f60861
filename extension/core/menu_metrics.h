// The pixel metrics of the extension's menus, computed once per initialisation from the menu
// font, the small-icon size of the system image list and the options.
#pragma once

#include <cstdint>

namespace quillo {

// Height a popup menu adds to the sum of its item heights.
constexpr int kMenuFrameHeight = 6;

struct MenuMetrics {
  int IconWidth = 0;
  int IconHeight = 0;
  int SizeColumnWidth = 0;
  int TextHeight = 0;
  int ItemHeight = 0;
  int SeparatorHeight = 0;
};

// The text measured for the size column (and the text height) for a sizeUnits value.
const char* SizeColumnSample(std::int32_t sizeUnits);

// sampleWidth/sampleHeight: extent of SizeColumnSample in the menu font. itemHeightAdd comes
// from the options file unchecked and is held to its range -100..100 here.
MenuMetrics ComputeMenuMetrics(int sampleWidth, int sampleHeight, int iconWidth, int iconHeight,
                               std::int32_t itemHeightAdd);

// What depends on the monitor the menu opens on.
struct MenuPlacement {
  int ItemsPerColumn = 0;
  int TextOffsetY = 0;
  int IconOffsetY = 0;
};

// ItemsPerColumn = monitorHeight / ItemHeight, but at least 3 so that a page of a long folder
// always holds an entry besides its separator and "More..." (and is never a divisor of 0).
MenuPlacement ComputeMenuPlacement(const MenuMetrics& metrics, int monitorHeight);

}  // namespace quillo
