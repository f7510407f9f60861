#include "options_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "colors.h"

namespace quillo {
namespace {

const SystemColors kWineColors{0xFFFFFF, 0xFA9630 & 0xFFFFFF, 0x000000, 0xFFFFFF, 0x6A6A6A};

TEST(OptionsRecord, DefaultsLeaveReservedWordsAsPassed) {
  OptionsRecord o;
  std::memset(&o, 0xAB, sizeof o);
  InitOptions(o, kWineColors);
  EXPECT_EQ(o.reserved004, static_cast<std::int32_t>(0xABABABAB));
  EXPECT_EQ(o.reserved620, static_cast<std::int32_t>(0xABABABAB));
  EXPECT_EQ(o.reserved864, static_cast<std::int32_t>(0xABABABAB));
  // Everything else is written, including the trailing reserved bytes and the text tails.
  for (std::uint8_t b : o.reserved9CC) EXPECT_EQ(b, 0);
  EXPECT_STREQ(o.includeExtensions, "*");
  EXPECT_EQ(o.includeExtensions[2], '\0');  // list of one item ends with a double NUL
  EXPECT_EQ(o.excludeObjects[1023], '\0');
  EXPECT_EQ(o.startMenuFolder[259], '\0');
}

TEST(OptionsRecord, DefaultColorsComeFromSystemColors) {
  OptionsRecord o{};
  InitOptions(o, kWineColors);
  EXPECT_EQ(o.backgroundColors.unselected, kWineColors.menu);
  EXPECT_EQ(o.backgroundColors.selected, kWineColors.highlight);
  EXPECT_EQ(o.sizeTextColors.unselected, kWineColors.darkShadow);
  EXPECT_EQ(o.subOpenAreaColors.selected, ShadeColor(kWineColors.highlight, 0, 0.2, 0));
  const ColorPair* pairs[] = {&o.backgroundColors, &o.sizeBackgroundColors, &o.subOpenAreaColors,
                              &o.textColors, &o.sizeTextColors};
  for (const ColorPair* p : pairs) {
    EXPECT_EQ(p->customUnselected, 0);
    EXPECT_EQ(p->customSelected, 0);
  }
}

TEST(OptionsRecord, ShortFileOverridesOnlyItsLength) {
  OptionsRecord defaults{};
  InitOptions(defaults, kWineColors);
  std::vector<std::uint8_t> file(2000, 0);
  std::memcpy(file.data(), &defaults, file.size());
  const std::int32_t delay = 200, hidden = 0;
  std::memcpy(&file[0x61C], &delay, 4);  // menuDelay
  std::memcpy(&file[0x000], &hidden, 4); // includeHidden
  OptionsRecord o = defaults;
  o.recentCount = 5;  // at 0x838, beyond the file's end
  ApplyOptionsBytes(o, file.data(), file.size());
  EXPECT_EQ(o.menuDelay, 200);
  EXPECT_EQ(o.includeHidden, 0);
  EXPECT_EQ(o.recentCount, 5);
  // The colour groups lie beyond 2,000 bytes and keep their defaults.
  EXPECT_EQ(std::memcmp(&o.backgroundColors, &defaults.backgroundColors, 5 * sizeof(ColorPair)), 0);
}

TEST(OptionsRecord, LongFileIsCutAtRecordSize) {
  OptionsRecord o{};
  std::vector<std::uint8_t> file(3000, 0x11);
  ApplyOptionsBytes(o, file.data(), file.size());
  EXPECT_EQ(o.sizeTextColors.selected, 0x11111111u);
  ApplyOptionsBytes(o, nullptr, 10);  // no file: nothing changes
  EXPECT_EQ(o.includeHidden, 0x11111111);
}

}  // namespace
}  // namespace quillo
