// Colour arithmetic in the hue/lightness/saturation model and the colours the menus draw with.
#pragma once

#include <array>
#include <cstdint>

#include "options_record.h"

namespace quillo {

// Packed HLS: byte 0 hue (0..255 for 0..360 degrees), byte 1 lightness, byte 2 saturation.
std::uint32_t RgbToHls(ColorRef color);
ColorRef HlsToRgb(std::uint32_t hls);

// Shifts the hue by hueShift * 255 and scales lightness and saturation by (1 + factor),
// clamping each to its byte range.
ColorRef ShadeColor(ColorRef color, double hueShift, double lightnessFactor,
                    double saturationFactor);

enum ActiveColorIndex {
  kBackgroundUnselected,
  kBackgroundSelected,
  kSizeBackgroundUnselected,
  kSizeBackgroundSelected,
  kSubOpenAreaUnselected,
  kSubOpenAreaSelected,
  kTextUnselected,
  kTextSelected,
  kSizeTextUnselected,
  kSizeTextSelected,
  kLightEdge,
  kDarkEdge,
  kActiveColorCount
};

using ActiveColors = std::array<ColorRef, kActiveColorCount>;

// The colours used where no custom colour is set, derived from the system colours.
ActiveColors DeriveSystemColors(const SystemColors& system);

// The colours in effect: each custom colour whose flag is set, otherwise the derived one; the
// edges are shades of the effective unselected background.
ActiveColors ComputeActiveColors(const OptionsRecord& options, const SystemColors& system);

}  // namespace quillo
