#include "setup_info.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "win_handle.h"

namespace quillo {

std::size_t ReadSetupInfo(const char* productName, SetupInfoRecord& record, RegistryView view) {
  std::memset(&record, 0, sizeof record);
  const REGSAM access = KEY_READ | (view == RegistryView::k32Bit ? KEY_WOW64_32KEY : 0);
  RegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, access, key.receive()) != ERROR_SUCCESS) {
    return 0;
  }
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), productName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return 0;
  }
  std::vector<BYTE> value(size, 0);
  if (RegQueryValueExA(key.get(), productName, nullptr, &type, value.data(), &size) !=
      ERROR_SUCCESS) {
    return 0;
  }
  const std::size_t count = size < sizeof record ? size : sizeof record;
  std::memcpy(&record, value.data(), count);
  return count;
}

}  // namespace quillo
