#include "system_version.h"

#include <windows.h>

namespace quillo {

OsVersionFacts QueryOsVersionFacts() {
  OsVersionFacts facts{};
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return facts;
#pragma GCC diagnostic pop
  facts.ntPlatform = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  facts.major = info.dwMajorVersion;
  facts.minor = info.dwMinorVersion;
  facts.workstation = info.wProductType == VER_NT_WORKSTATION;
  facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  facts.suiteMask = info.wSuiteMask;
  return facts;
}

int WindowsVersionCode(VersionReading reading) {
  return ComputeWindowsVersionCode(QueryOsVersionFacts(), reading);
}

}  // namespace quillo
