#include "colors.h"

#include <algorithm>

namespace quillo {
namespace {

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

int ClampByte(int v) { return std::clamp(v, 0, 255); }

double Channel(ColorRef color, int shift) { return Clamp01(((color >> shift) & 0xFF) / 255.0); }

// One channel of the HLS to RGB conversion for hue h (degrees).
double HueValue(double m1, double m2, double h) {
  if (h < 0) h += 360;
  if (h > 360) h -= 360;
  if (h < 60) return m1 + (m2 - m1) * h / 60;
  if (h < 180) return m2;
  if (h < 240) return m1 + (m2 - m1) * (240 - h) / 60;
  return m1;
}

std::uint32_t ToByte(double unit) { return static_cast<std::uint32_t>(Clamp01(unit) * 255); }

}  // namespace

std::uint32_t RgbToHls(ColorRef color) {
  const double r = Channel(color, 0), g = Channel(color, 8), b = Channel(color, 16);
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double l = (max + min) / 2;
  double h = 0, s = 0;
  if (max != min) {
    const double delta = max - min;
    s = l < 0.5 ? delta / (max + min) : delta / (2 - max - min);
    const double rc = (max - r) / delta, gc = (max - g) / delta, bc = (max - b) / delta;
    if (r == max) {
      h = 60 * (6 + bc - gc);
    } else if (g == max) {
      h = 60 * (2 + rc - bc);
    } else {
      h = 60 * (4 + gc - rc);
    }
    if (h > 360) h -= 360;
  }
  const std::uint32_t hue = static_cast<std::uint32_t>(h / 360 * 255);
  return hue | ToByte(l) << 8 | ToByte(s) << 16;
}

ColorRef HlsToRgb(std::uint32_t hls) {
  const double h = std::min((hls & 0xFF) * 360.0 / 255, 360.0);
  const double l = Clamp01(((hls >> 8) & 0xFF) / 255.0);
  const double s = Clamp01(((hls >> 16) & 0xFF) / 255.0);
  double r = l, g = l, b = l;
  if (s != 0) {
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    r = HueValue(m1, m2, h + 120);
    g = HueValue(m1, m2, h);
    b = HueValue(m1, m2, h - 120);
  }
  return ToByte(r) | ToByte(g) << 8 | ToByte(b) << 16;
}

ColorRef ShadeColor(ColorRef color, double hueShift, double lightnessFactor,
                    double saturationFactor) {
  const std::uint32_t hls = RgbToHls(color);
  const int h = hls & 0xFF, l = (hls >> 8) & 0xFF, s = (hls >> 16) & 0xFF;
  int hue = static_cast<int>(hueShift * 255 + h);
  while (hue < 0) hue += 256;
  while (hue > 255) hue -= 256;
  const int light = ClampByte(static_cast<int>(l * lightnessFactor + l));
  const int sat = ClampByte(static_cast<int>(s * saturationFactor + s));
  return HlsToRgb(static_cast<std::uint32_t>(hue) | static_cast<std::uint32_t>(light) << 8 |
                  static_cast<std::uint32_t>(sat) << 16);
}

ActiveColors DeriveSystemColors(const SystemColors& system) {
  ActiveColors c{};
  c[kBackgroundUnselected] = system.menu;
  c[kBackgroundSelected] = system.highlight;
  c[kSizeBackgroundUnselected] = ShadeColor(system.menu, 0, 0.05, 0);
  c[kSizeBackgroundSelected] = ShadeColor(system.highlight, 0, 0.1, 0);
  c[kSubOpenAreaUnselected] = system.menu;
  c[kSubOpenAreaSelected] = ShadeColor(system.highlight, 0, 0.2, 0);
  c[kTextUnselected] = system.menuText;
  c[kTextSelected] = system.highlightText;
  c[kSizeTextUnselected] = system.darkShadow;
  c[kSizeTextSelected] = system.highlightText;
  c[kLightEdge] = ShadeColor(system.menu, 0, 0.2, 0);
  c[kDarkEdge] = ShadeColor(system.menu, 0, -0.2, 0);
  return c;
}

ActiveColors ComputeActiveColors(const OptionsRecord& options, const SystemColors& system) {
  ActiveColors c = DeriveSystemColors(system);
  const ColorPair* pairs[] = {&options.backgroundColors, &options.sizeBackgroundColors,
                              &options.subOpenAreaColors, &options.textColors,
                              &options.sizeTextColors};
  for (int i = 0; i < 5; ++i) {
    if (pairs[i]->customUnselected) c[2 * i] = pairs[i]->unselected;
    if (pairs[i]->customSelected) c[2 * i + 1] = pairs[i]->selected;
  }
  c[kLightEdge] = ShadeColor(c[kBackgroundUnselected], 0, 0.2, 0);
  c[kDarkEdge] = ShadeColor(c[kBackgroundUnselected], 0, -0.2, 0);
  return c;
}

}  // namespace quillo
