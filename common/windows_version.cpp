#include "windows_version.h"

namespace quillo {
namespace {

constexpr std::uint32_t kSuiteWhServer = 0x8000;  // Windows Home Server

int ServerVariant(bool workstation) { return workstation ? 0 : 1; }

int Version52(const OsVersionFacts& f) {
  if (f.workstation) return 520;
  if (f.serverR2) return 523;
  if (f.suiteMask & kSuiteWhServer) return 522;
  return 521;
}

bool IsLaterThan62(const OsVersionFacts& f) {
  return f.major > 6 || (f.major == 6 && f.minor > 2);
}

}  // namespace

int ComputeWindowsVersionCode(const OsVersionFacts& f, VersionReading reading) {
  if (!f.ntPlatform) return 0;
  if (f.major == 5 && f.minor == 1) return 510;
  if (f.major == 5 && f.minor == 2) return Version52(f);
  if (f.major == 6 && f.minor <= 2) return 600 + 10 * static_cast<int>(f.minor) + ServerVariant(f.workstation);
  if (reading == VersionReading::kFramework && IsLaterThan62(f)) {
    return 620 + ServerVariant(f.workstation);
  }
  return 0;
}

}  // namespace quillo
