#include "core/config_archive.h"

#include <algorithm>
#include <cstdio>

namespace lwf {

Bytes ProductEntryContent(std::string_view keepPatterns, const int (&version)[3]) {
  Bytes content(keepPatterns.begin(), keepPatterns.end());
  content.push_back(0);
  char text[40];
  const int length = std::snprintf(text, sizeof text, "%d.%d.%d", version[0], version[1], version[2]);
  content.insert(content.end(), text, text + (length > 0 ? length : 0));
  return content;
}

std::vector<std::string> SplitPatterns(std::string_view list) {
  std::vector<std::string> patterns;
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    const std::string_view pattern = list.substr(0, end);
    if (!pattern.empty()) patterns.emplace_back(pattern);
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
  }
  return patterns;
}

ConfigArchive ReadConfigArchive(const std::uint8_t* archive, std::size_t size, std::string_view productName) {
  ConfigArchive result;
  const auto entries = ReadZipDirectory(archive, size);
  if (!entries) return result;
  bool productFound = false;
  for (const ZipEntry& entry : *entries) {
    auto bytes = ExtractZipEntry(archive, size, entry);
    if (!bytes) return ConfigArchive{};
    if (entry.name == productName) {
      productFound = true;
      // The text before the first zero byte, read from at most the product buffer's size.
      const std::size_t readable = std::min(bytes->size(), kProductEntrySize - 1);
      const auto end = std::find(bytes->begin(), bytes->begin() + readable, 0);
      result.keepPatterns.assign(bytes->begin(), end);
      continue;
    }
    if (!SafeEntryName(entry.name)) return ConfigArchive{};
    result.files.push_back({entry.name, std::move(*bytes)});
  }
  result.status = productFound ? ConfigArchiveStatus::kValid : ConfigArchiveStatus::kWrongProduct;
  return result;
}

}  // namespace lwf
