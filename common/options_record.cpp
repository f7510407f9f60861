#include "options_record.h"

#include <cstring>

#include "colors.h"

namespace quillo {
namespace {

// A list of NUL-terminated strings ended by an empty string.
template <std::size_t N>
void SetSingleItemList(char (&list)[N], const char* item) {
  std::memset(list, 0, N);
  std::strncpy(list, item, N - 2);
}

template <std::size_t N>
void ClearText(char (&text)[N]) {
  std::memset(text, 0, N);
}

ColorPair SystemPair(ColorRef unselected, ColorRef selected) {
  return ColorPair{0, 0, unselected, selected};
}

}  // namespace

void InitOptions(OptionsRecord& o, const SystemColors& system) {
  o.includeHidden = -1;
  o.toolTipSpeed = 10;
  o.toolTipsEnabled = 1;
  o.multiColumn = 0;
  SetSingleItemList(o.includeExtensions, "*");
  ClearText(o.excludeExtensions);
  ClearText(o.excludeObjects);
  o.includeAllExtensions = 1;
  o.menuDelay = 0;
  ClearText(o.unknownTypeCommand);
  ClearText(o.startMenuFolder);
  o.dragFoldersOnly = 1;
  o.dragOpenTarget = 0;
  o.recentEnabled = 1;
  o.recentCount = 16;
  o.recentSorted = 1;
  o.recentClearAtLogon = 0;
  o.menuPosition = 1;
  o.itemHeightAdd = 0;
  o.dragMoveToParent = 1;
  o.dragDeleteEmptyFolder = 0;
  o.favoritesEnabled = 1;
  o.favoritesCount = 16;
  o.subOpenArea = 0;
  o.subOpenAreaWidth = -1;
  ClearText(o.alternateFileManager);
  o.sizeInfoShown = 0;
  o.sizeInfoStartDisabled = 1;
  o.sizeUnits = 0;
  o.includeSuperHidden = 0;

  const ActiveColors derived = DeriveSystemColors(system);
  o.backgroundColors = SystemPair(derived[kBackgroundUnselected], derived[kBackgroundSelected]);
  o.sizeBackgroundColors =
      SystemPair(derived[kSizeBackgroundUnselected], derived[kSizeBackgroundSelected]);
  o.subOpenAreaColors = SystemPair(derived[kSubOpenAreaUnselected], derived[kSubOpenAreaSelected]);
  o.textColors = SystemPair(derived[kTextUnselected], derived[kTextSelected]);
  o.sizeTextColors = SystemPair(derived[kSizeTextUnselected], derived[kSizeTextSelected]);
  std::memset(o.reserved9CC, 0, sizeof o.reserved9CC);
}

void ApplyOptionsBytes(OptionsRecord& options, const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr) return;
  std::memcpy(&options, bytes, size < sizeof options ? size : sizeof options);
}

}  // namespace quillo
