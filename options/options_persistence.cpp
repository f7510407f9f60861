#include "options_persistence.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/bounded_text.h"
#include "core/item_id_bytes.h"
#include "core/option_text.h"
#include "core/text_compare.h"
#include "data_file_name.h"
#include "framework_data_file.h"
#include "lwf_app.h"
#include "options_program.h"
#include "restart.h"
#include "shell_item.h"
#include "system_settings.h"

namespace quillo {
namespace {

constexpr char kOptionsFile[] = "Options";
constexpr char kFavoritesFile[] = "FAV";
constexpr std::size_t kCommandReadSize = 1024;
// A larger file is no favourite the shell could have written; it is not read into memory.
constexpr std::size_t kFavoriteReadLimit = 1 << 20;

void WriteOptionsFile() {
  lwf::WriteData(kOptionsFile, kNoIndex, &Program().options, sizeof Program().options);
}

void LoadFavorites() {
  FavoritesTable& table = Program().favorites;
  table.Clear();
  const int count = Clamp(Program().options.favoritesCount, 0, kFavoriteSlots);
  for (int i = 0; i < count; ++i) {
    const std::size_t size = lwf::ReadData(kFavoritesFile, i, nullptr, 0);
    if (size == 0) break;
    if (size > kFavoriteReadLimit) continue;
    std::vector<unsigned char> bytes(size);
    const std::size_t read = lwf::ReadData(kFavoritesFile, i, bytes.data(), bytes.size());
    table.Store(i, bytes.data(), read);
  }
}

}  // namespace

void LoadOptions() {
  OptionsRecord& options = Program().options;
  lwf::ReadData(kOptionsFile, kNoIndex, &options, sizeof options);
  LoadFavorites();
  if (options.includeHidden == -1) options.includeHidden = ReadExplorerHidden() == 2 ? 0 : 1;
  options.menuDelay = ReadMenuShowDelay();
}

void SaveFavorites() {
  lwf::DeleteData(kFavoritesFile, true);
  const FavoritesTable& table = Program().favorites;
  const int count = Clamp(Program().options.favoritesCount, 0, kFavoriteSlots);
  // Files are numbered without gaps: loading stops at the first missing index, so a gap left by
  // an empty slot would lose every favourite after it.
  int index = 0;
  for (int i = 0; i < count; ++i) {
    const FavoriteSlot& slot = table[i];
    if (slot.kind == FavoriteKind::kSeparator) {
      lwf::WriteData(kFavoritesFile, index++, &kSeparatorMark, sizeof kSeparatorMark);
    } else if (slot.kind == FavoriteKind::kList) {
      lwf::WriteData(kFavoritesFile, index++, slot.list, IdListSize(slot.list));
    }
  }
}

void SaveOptions(int mode) {
  OptionsRecord& options = Program().options;
  WriteOptionsFile();
  SaveFavorites();
  WriteMenuShowDelay(options.menuDelay);

  char current[kCommandReadSize];
  ReadUnknownTypeCommand(current, sizeof current);
  char wanted[kPathSize];
  CopyBoundedText(wanted, sizeof wanted, options.unknownTypeCommand, sizeof options.unknownTypeCommand);
  if (lwf::EqualsIgnoringCase(current, wanted)) return;
  if (mode != kSavePlain && !lwf::IsElevated()) {
    lwf::RequestRestart(lwf::kRestartElevated, mode == kSaveApply ? "-RESTARTASADMIN" : "-SAVEASADMIN", true);
    return;
  }
  WriteUnknownTypeCommand(wanted);
  char actual[kPathSize];
  if (!ReadUnknownTypeCommand(actual, sizeof actual)) return;
  std::memset(options.unknownTypeCommand, 0, sizeof options.unknownTypeCommand);
  lwf::CopyText(options.unknownTypeCommand, sizeof options.unknownTypeCommand, actual);
  WriteOptionsFile();
}

}  // namespace quillo
