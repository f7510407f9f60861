// The options record shared by the extension and the options program, stored byte for byte as
// the data file "Options". The layout is fixed: every field sits at the offset checked below.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillo {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

// A colour option: each state's colour is used only when its custom flag is non-zero.
struct ColorPair {
  std::int32_t customUnselected;
  std::int32_t customSelected;
  ColorRef unselected;
  ColorRef selected;
};
static_assert(sizeof(ColorPair) == 16);

constexpr std::size_t kPathSize = 260;
constexpr std::size_t kExcludeObjectsSize = 1024;

struct OptionsRecord {
  std::int32_t includeHidden;
  std::int32_t reserved004;
  std::uint16_t toolTipSpeed;
  std::uint16_t toolTipsEnabled;
  std::int32_t multiColumn;
  char includeExtensions[kPathSize];
  char excludeExtensions[kPathSize];
  char excludeObjects[kExcludeObjectsSize];
  std::int32_t includeAllExtensions;
  std::int32_t menuDelay;
  std::int32_t reserved620;
  char unknownTypeCommand[kPathSize];
  char startMenuFolder[kPathSize];
  std::int32_t dragFoldersOnly;
  std::int32_t dragOpenTarget;
  std::int32_t recentEnabled;
  std::int32_t recentCount;
  std::int32_t recentSorted;
  std::int32_t recentClearAtLogon;
  std::int32_t menuPosition;
  std::int32_t itemHeightAdd;
  std::int32_t dragMoveToParent;
  std::int32_t dragDeleteEmptyFolder;
  std::int32_t favoritesEnabled;
  std::int32_t favoritesCount;
  std::int32_t subOpenArea;
  std::int32_t subOpenAreaWidth;
  std::int32_t reserved864;
  char alternateFileManager[kPathSize];
  std::int32_t sizeInfoShown;
  std::int32_t sizeInfoStartDisabled;
  std::int32_t sizeUnits;
  std::int32_t includeSuperHidden;
  ColorPair backgroundColors;
  ColorPair sizeBackgroundColors;
  ColorPair subOpenAreaColors;
  ColorPair textColors;
  ColorPair sizeTextColors;
  std::uint8_t reserved9CC[8];
};

static_assert(sizeof(OptionsRecord) == 2516);
static_assert(offsetof(OptionsRecord, includeHidden) == 0x000);
static_assert(offsetof(OptionsRecord, reserved004) == 0x004);
static_assert(offsetof(OptionsRecord, toolTipSpeed) == 0x008);
static_assert(offsetof(OptionsRecord, toolTipsEnabled) == 0x00A);
static_assert(offsetof(OptionsRecord, multiColumn) == 0x00C);
static_assert(offsetof(OptionsRecord, includeExtensions) == 0x010);
static_assert(offsetof(OptionsRecord, excludeExtensions) == 0x114);
static_assert(offsetof(OptionsRecord, excludeObjects) == 0x218);
static_assert(offsetof(OptionsRecord, includeAllExtensions) == 0x618);
static_assert(offsetof(OptionsRecord, menuDelay) == 0x61C);
static_assert(offsetof(OptionsRecord, reserved620) == 0x620);
static_assert(offsetof(OptionsRecord, unknownTypeCommand) == 0x624);
static_assert(offsetof(OptionsRecord, startMenuFolder) == 0x728);
static_assert(offsetof(OptionsRecord, dragFoldersOnly) == 0x82C);
static_assert(offsetof(OptionsRecord, dragOpenTarget) == 0x830);
static_assert(offsetof(OptionsRecord, recentEnabled) == 0x834);
static_assert(offsetof(OptionsRecord, recentCount) == 0x838);
static_assert(offsetof(OptionsRecord, recentSorted) == 0x83C);
static_assert(offsetof(OptionsRecord, recentClearAtLogon) == 0x840);
static_assert(offsetof(OptionsRecord, menuPosition) == 0x844);
static_assert(offsetof(OptionsRecord, itemHeightAdd) == 0x848);
static_assert(offsetof(OptionsRecord, dragMoveToParent) == 0x84C);
static_assert(offsetof(OptionsRecord, dragDeleteEmptyFolder) == 0x850);
static_assert(offsetof(OptionsRecord, favoritesEnabled) == 0x854);
static_assert(offsetof(OptionsRecord, favoritesCount) == 0x858);
static_assert(offsetof(OptionsRecord, subOpenArea) == 0x85C);
static_assert(offsetof(OptionsRecord, subOpenAreaWidth) == 0x860);
static_assert(offsetof(OptionsRecord, reserved864) == 0x864);
static_assert(offsetof(OptionsRecord, alternateFileManager) == 0x868);
static_assert(offsetof(OptionsRecord, sizeInfoShown) == 0x96C);
static_assert(offsetof(OptionsRecord, sizeInfoStartDisabled) == 0x970);
static_assert(offsetof(OptionsRecord, sizeUnits) == 0x974);
static_assert(offsetof(OptionsRecord, includeSuperHidden) == 0x978);
static_assert(offsetof(OptionsRecord, backgroundColors) == 0x97C);
static_assert(offsetof(OptionsRecord, sizeBackgroundColors) == 0x98C);
static_assert(offsetof(OptionsRecord, subOpenAreaColors) == 0x99C);
static_assert(offsetof(OptionsRecord, textColors) == 0x9AC);
static_assert(offsetof(OptionsRecord, sizeTextColors) == 0x9BC);
static_assert(offsetof(OptionsRecord, reserved9CC) == 0x9CC);

// The system colours the colour defaults are derived from (read with GetSysColor by the caller).
struct SystemColors {
  ColorRef menu;           // COLOR_MENU
  ColorRef highlight;      // COLOR_HIGHLIGHT
  ColorRef menuText;       // COLOR_MENUTEXT
  ColorRef highlightText;  // COLOR_HIGHLIGHTTEXT
  ColorRef darkShadow;     // COLOR_3DDKSHADOW
};

// Writes the defaults into every field except the three reserved words at 0x004, 0x620 and
// 0x864, which are left as the caller passed them.
void InitOptions(OptionsRecord& options, const SystemColors& system);

// Copies the bytes of an "Options" file over a record holding the defaults: a short file
// overrides only its length, a longer one is cut at the record's size.
void ApplyOptionsBytes(OptionsRecord& options, const std::uint8_t* bytes, std::size_t size);

}  // namespace quillo
