// The "Options" file: copied over the defaults as both programs read it, then every field used
// the way the extension (filter, metrics, colours, size column) and the options dialogs
// (extension lists, objects to exclude, command texts) use it. Fields may lack terminators.
#include <string>
#include <vector>

#include "colors.h"
#include "core/exclude_objects.h"
#include "fuzz_support.h"
#include "item_filter.h"
#include "menu_metrics.h"
#include "core/option_text.h"
#include "options_record.h"
#include "setup_info_record.h"
#include "shell_attributes.h"
#include "size_format.h"

namespace {

const quillo::SystemColors kSystem{0xF0F0F0, 0xD77800, 0x000000, 0xFFFFFF, 0x696969};

void UseInExtension(const quillo::OptionsRecord& o) {
  for (const char* name : {"Readme.txt", "archive.tar.gz", "NoExtension", "Folder.", "x.LNK"}) {
    for (std::int32_t mode : {0, 1}) {
      quillo::ShouldShowItem(o, mode, {name, name, quillo::kAttrFileSystem, false});
      quillo::ShouldShowItem(o, mode, {name, name, quillo::kAttrFileSystem | quillo::kAttrFolder, false});
    }
  }
  quillo::ComputeActiveColors(o, kSystem);
  const quillo::MenuFontFacts facts{16, 16, 60, 13};
  const quillo::MenuMetrics metrics = quillo::ComputeMenuMetrics(facts, o.itemHeightAdd, 1080);
  FUZZ_CHECK(metrics.ItemHeight >= 8 && metrics.ItemsPerColumn >= 3);
  quillo::EffectiveSubOpenAreaWidth(o.subOpenAreaWidth, metrics.ItemHeight);
  FUZZ_CHECK(quillo::SizeColumnSample(o.sizeUnits) != nullptr);
  char size[64];
  quillo::FormatSizeColumn(1234567890123ull, o.sizeUnits, size, sizeof size);
}

void UseInOptionsProgram(const quillo::OptionsRecord& o) {
  char text[quillo::kDialogTextSize];
  quillo::ExtensionListToText(o.includeExtensions, sizeof o.includeExtensions, text, sizeof text);
  quillo::ExtensionListToText(o.excludeExtensions, sizeof o.excludeExtensions, text, sizeof text);
  const std::vector<std::string> names = quillo::ReadObjectList(o.excludeObjects, sizeof o.excludeObjects);
  // Written back unchanged, the names that fit read again the same.
  char field[quillo::kExcludeObjectsSize];
  const std::size_t written = quillo::WriteObjectList(names, field, sizeof field);
  FUZZ_CHECK(written <= names.size());
  FUZZ_CHECK(quillo::ReadObjectList(field, sizeof field) ==
             std::vector<std::string>(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(written)));
  char command[quillo::kPathSize];
  quillo::CopyBoundedText(command, sizeof command, o.unknownTypeCommand, sizeof o.unknownTypeCommand);
  quillo::CopyBoundedText(command, sizeof command, o.alternateFileManager, sizeof o.alternateFileManager);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillo::OptionsRecord options{};
  quillo::InitOptions(options, kSystem);
  const auto file = fuzz::ExactCopy(data, size);
  quillo::ApplyOptionsBytes(options, file.get(), size);
  UseInExtension(options);
  UseInOptionsProgram(options);
  return 0;
}
