#include "setup_info_record.h"

#include <cstdio>
#include <cstring>

namespace quillo {

void CopyBoundedText(char* out, std::size_t outSize, const char* field, std::size_t fieldSize) {
  if (outSize == 0) return;
  std::size_t n = 0;
  while (n < fieldSize && n + 1 < outSize && field[n] != '\0') ++n;
  std::memcpy(out, field, n);
  out[n] = '\0';
}

bool ComposeDataFolder(const SetupInfoRecord& record, const char* userName, const char* appDataPath,
                       const char* productName, char* out, std::size_t outSize) {
  if (out == nullptr || outSize == 0) return false;
  char custom[kPathSize + 1];
  CopyBoundedText(custom, sizeof custom, record.customDataPath, sizeof record.customDataPath);
  int written;
  if (record.customDataFolder != 0) {
    if (record.perUserDataFolder != 0) {
      written = std::snprintf(out, outSize, "%s\\%s", custom, userName ? userName : "");
    } else {
      written = std::snprintf(out, outSize, "%s", custom);
    }
  } else {
    written = std::snprintf(out, outSize, "%s\\Larkwell\\%s", appDataPath ? appDataPath : "",
                            productName);
  }
  if (written < 0 || static_cast<std::size_t>(written) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace quillo
