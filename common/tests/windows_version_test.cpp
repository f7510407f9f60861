#include "windows_version.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

OsVersionFacts Nt(std::uint32_t major, std::uint32_t minor, bool workstation = true) {
  return OsVersionFacts{true, major, minor, workstation, false, 0};
}

int Code(const OsVersionFacts& f, VersionReading r = VersionReading::kExtensionAndSetup) {
  return ComputeWindowsVersionCode(f, r);
}

TEST(WindowsVersion, TableOfKnownVersions) {
  EXPECT_EQ(Code(Nt(5, 1)), 510);
  EXPECT_EQ(Code(Nt(5, 1, false)), 510);
  EXPECT_EQ(Code(Nt(6, 0)), 600);
  EXPECT_EQ(Code(Nt(6, 0, false)), 601);
  EXPECT_EQ(Code(Nt(6, 1)), 610);
  EXPECT_EQ(Code(Nt(6, 1, false)), 611);
  EXPECT_EQ(Code(Nt(6, 2)), 620);
  EXPECT_EQ(Code(Nt(6, 2, false)), 621);
}

TEST(WindowsVersion, Server2003Family) {
  EXPECT_EQ(Code(Nt(5, 2)), 520);  // XP x64
  EXPECT_EQ(Code(Nt(5, 2, false)), 521);
  OsVersionFacts r2 = Nt(5, 2, false);
  r2.serverR2 = true;
  EXPECT_EQ(Code(r2), 523);
  OsVersionFacts home = Nt(5, 2, false);
  home.suiteMask = 0x8000;
  EXPECT_EQ(Code(home), 522);
}

TEST(WindowsVersion, UnknownAndLaterSystemsDependOnReading) {
  EXPECT_EQ(Code(Nt(5, 0)), 0);
  EXPECT_EQ(Code(Nt(6, 3)), 0);
  EXPECT_EQ(Code(Nt(10, 0)), 0);
  EXPECT_EQ(Code(Nt(6, 3), VersionReading::kFramework), 620);
  EXPECT_EQ(Code(Nt(10, 0), VersionReading::kFramework), 620);
  EXPECT_EQ(Code(Nt(10, 0, false), VersionReading::kFramework), 621);
  EXPECT_EQ(Code(Nt(5, 0), VersionReading::kFramework), 0);
  OsVersionFacts dos = Nt(6, 1);
  dos.ntPlatform = false;
  EXPECT_EQ(Code(dos), 0);
  EXPECT_EQ(Code(dos, VersionReading::kFramework), 0);
}

}  // namespace
}  // namespace quillo
