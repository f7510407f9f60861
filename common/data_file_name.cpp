#include "data_file_name.h"

#include <cstdio>
#include <cstring>

namespace quillo {

bool BuildDataFilePath(const char* dataFolder, const char* name, int index, char* out,
                       std::size_t outSize) {
  if (out == nullptr || outSize == 0) return false;
  out[0] = '\0';
  if (dataFolder == nullptr || name == nullptr) return false;
  if (index != kNoIndex && (index < 0 || index > kMaxDataFileIndex)) return false;
  const std::size_t folderLength = std::strlen(dataFolder);
  const bool hasSeparator = folderLength > 0 && dataFolder[folderLength - 1] == '\\';
  const char* separator = hasSeparator ? "" : "\\";
  int written;
  if (index == kNoIndex) {
    written = std::snprintf(out, outSize, "%s%s%s.lcf", dataFolder, separator, name);
  } else {
    written = std::snprintf(out, outSize, "%s%s%s%d.lcf", dataFolder, separator, name, index);
  }
  if (written < 0 || static_cast<std::size_t>(written) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace quillo
