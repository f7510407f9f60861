// The integer code for the Windows version that the extension, the framework and Setup use.
#pragma once

#include <cstdint>

namespace quillo {

// What GetVersionExA (extended structure) and GetSystemMetrics report, gathered by the caller.
struct OsVersionFacts {
  bool ntPlatform;
  std::uint32_t major;
  std::uint32_t minor;
  bool workstation;         // product type VER_NT_WORKSTATION
  bool serverR2;            // GetSystemMetrics(SM_SERVERR2) non-zero
  std::uint32_t suiteMask;  // wSuiteMask
};

// The extension and Setup know the listed versions only and give 0 for any other. The
// framework reads versions after 6.2 as 6.2 (620, or 621 on servers).
enum class VersionReading { kExtensionAndSetup, kFramework };

// 510; 520-523; 600/601; 610/611; 620/621; else 0 (also for non-NT platforms).
int ComputeWindowsVersionCode(const OsVersionFacts& facts, VersionReading reading);

}  // namespace quillo
