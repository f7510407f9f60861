// The configuration archive ("*.LarkwellConfig"): a ZIP archive with one product entry, named
// after the product, holding the keep-pattern list, a zero byte and the program version, and one
// entry per data file under its path relative to the data folder ('/' as separator).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/zip_archive.h"

namespace lwf {

// Size of the buffer the product entry is read into; longer entries are cut.
constexpr std::size_t kProductEntrySize = 2599;

// The product entry's content: keep patterns, a zero byte, "%d.%d.%d" of the version.
Bytes ProductEntryContent(std::string_view keepPatterns, const int (&version)[3]);

// The ';'-separated patterns of a list, empty ones left out.
std::vector<std::string> SplitPatterns(std::string_view list);

struct ConfigFile {
  std::string name;  // relative path with '/'
  Bytes bytes;
};

enum class ConfigArchiveStatus {
  kValid,         // every entry read and checked
  kDamaged,       // not a ZIP archive, a damaged entry or a name that would leave the folder
  kWrongProduct,  // valid, but without an entry named exactly after the product
};

struct ConfigArchive {
  ConfigArchiveStatus status = ConfigArchiveStatus::kDamaged;
  std::string keepPatterns;      // the product entry's text before its first zero byte
  std::vector<ConfigFile> files;  // every entry but the product entry, in archive order
};

// Reads and checks the whole archive before anything is changed on disk: a damaged or hostile
// archive is refused as a whole rather than unpacked in part.
ConfigArchive ReadConfigArchive(const std::uint8_t* archive, std::size_t size, std::string_view productName);

}  // namespace lwf
