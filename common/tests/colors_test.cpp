#include "colors.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;

int Lightness(ColorRef c) { return (RgbToHls(c) >> 8) & 0xFF; }

TEST(Colors, RgbToHlsOfPrimaries) {
  EXPECT_EQ(RgbToHls(kWhite), 0x00FF00u);  // hue 0, lightness 255, saturation 0
  EXPECT_EQ(RgbToHls(kBlack), 0u);
  // Pure red: hue 360 degrees (6 + 1 - 1 = 6 sixths) maps to byte 255; saturation 1.
  EXPECT_EQ(RgbToHls(0x0000FF), 0xFF7FFFu);
  // Pure green (COLORREF 0x00FF00): 120 degrees -> 85.
  EXPECT_EQ(RgbToHls(0x00FF00) & 0xFF, 85u);
  // Pure blue: 240 degrees -> 170.
  EXPECT_EQ(RgbToHls(0xFF0000) & 0xFF, 170u);
}

TEST(Colors, HlsRoundTripStaysClose) {
  for (ColorRef c : {0x336699u, 0xFA9630u, 0x6A6A6Au, 0x10E0A0u, 0x808080u}) {
    const ColorRef back = HlsToRgb(RgbToHls(c));
    for (int shift = 0; shift < 24; shift += 8) {
      const int a = (c >> shift) & 0xFF, b = (back >> shift) & 0xFF;
      EXPECT_NEAR(a, b, 4) << std::hex << c;
    }
  }
}

TEST(Colors, HlsToRgbGreyWhenUnsaturated) {
  EXPECT_EQ(HlsToRgb(0x008000), 0x808080u);
  EXPECT_EQ(HlsToRgb(0x00FF00), kWhite);
}

TEST(Colors, ShadeOfWhiteStaysWhite) {
  EXPECT_EQ(ShadeColor(kWhite, 0, 0.05, 0), kWhite);
  EXPECT_EQ(ShadeColor(kWhite, 0, 0.2, 0), kWhite);
}

TEST(Colors, ShadeDarkensByOneFifthOfLightness) {
  const ColorRef grey = 0x808080;
  const int l = Lightness(grey);
  const int expected = static_cast<int>(l * -0.2 + l);
  EXPECT_NEAR(Lightness(ShadeColor(grey, 0, -0.2, 0)), expected, 1);
  EXPECT_EQ(ShadeColor(kWhite, 0, -0.2, 0), 0xCCCCCCu);  // 255 -> 204
}

TEST(Colors, HueShiftWraps) {
  // A shift of a full turn (1.0 * 255 then wrapped by 256) lands one step below the hue.
  const ColorRef red = 0x0000FF;
  const ColorRef shifted = ShadeColor(red, 0.5, 0, 0);
  EXPECT_NE(shifted, red);
  EXPECT_EQ(ShadeColor(red, -1.0, 0, 0) & 0xFF, ShadeColor(red, 0.0, 0, 0) & 0xFF);
}

TEST(Colors, ActiveColorsUseCustomOnlyWhenFlagged) {
  const SystemColors system{kWhite, 0xFA9630, kBlack, kWhite, 0x6A6A6A};
  OptionsRecord o{};
  InitOptions(o, system);
  o.backgroundColors.unselected = 0x123456;  // flag still off: ignored
  o.textColors.customSelected = 1;
  o.textColors.selected = 0x00FF00;
  ActiveColors c = ComputeActiveColors(o, system);
  EXPECT_EQ(c[kBackgroundUnselected], kWhite);
  EXPECT_EQ(c[kTextSelected], 0x00FF00u);
  EXPECT_EQ(c[kTextUnselected], kBlack);
  EXPECT_EQ(c[kSizeBackgroundUnselected], kWhite);  // white shaded lighter stays white
  EXPECT_EQ(c[kDarkEdge], 0xCCCCCCu);

  o.backgroundColors.customUnselected = 1;
  o.backgroundColors.unselected = 0x808080;
  c = ComputeActiveColors(o, system);
  EXPECT_EQ(c[kBackgroundUnselected], 0x808080u);
  // Edges follow the effective background, not the system menu colour.
  EXPECT_EQ(c[kDarkEdge], ShadeColor(0x808080, 0, -0.2, 0));
  EXPECT_EQ(c[kLightEdge], ShadeColor(0x808080, 0, 0.2, 0));
}

}  // namespace
}  // namespace quillo
