// The setup information Setup writes as the REG_BINARY value named after the product under
// HKEY_LOCAL_MACHINE\Software\Larkwell; the other programs find their folders through it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "options_record.h"

namespace quillo {

constexpr const char* kProductName = "Quillo";
constexpr const char* kVendorKey = "Software\\Larkwell";

struct SetupInfoRecord {
  std::int16_t recordMarker;  // 1 on every write
  std::uint8_t reserved2[8];
  std::int16_t versionMajor;
  std::int16_t versionMinor;
  std::int16_t installScope;       // 1 all users, 0 current user
  std::int16_t customDataFolder;   // 1 custom path, 0 user profile
  std::int16_t perUserDataFolder;  // with a custom path: one sub-folder per user
  char installFolder[kPathSize];
  char customDataPath[kPathSize];
  std::uint8_t reserved540[kPathSize];
  char versionCheckUrl[kPathSize];
  char downloadUrl[kPathSize];
  std::int16_t finishChoices[3];  // start program, show manual, desktop shortcut
};

static_assert(sizeof(SetupInfoRecord) == 1326);
static_assert(offsetof(SetupInfoRecord, reserved2) == 2);
static_assert(offsetof(SetupInfoRecord, versionMajor) == 10);
static_assert(offsetof(SetupInfoRecord, versionMinor) == 12);
static_assert(offsetof(SetupInfoRecord, installScope) == 14);
static_assert(offsetof(SetupInfoRecord, customDataFolder) == 16);
static_assert(offsetof(SetupInfoRecord, perUserDataFolder) == 18);
static_assert(offsetof(SetupInfoRecord, installFolder) == 20);
static_assert(offsetof(SetupInfoRecord, customDataPath) == 280);
static_assert(offsetof(SetupInfoRecord, reserved540) == 540);
static_assert(offsetof(SetupInfoRecord, versionCheckUrl) == 800);
static_assert(offsetof(SetupInfoRecord, downloadUrl) == 1060);
static_assert(offsetof(SetupInfoRecord, finishChoices) == 1320);

// The DataFolder a record leads to: the custom path (plus "\<userName>" when per user), or
// "<appDataPath>\Larkwell\<productName>". Text from the record is read only up to its field's
// end. Returns false when the result does not fit into outSize bytes (out is then empty).
bool ComposeDataFolder(const SetupInfoRecord& record, const char* userName, const char* appDataPath,
                       const char* productName, char* out, std::size_t outSize);

// A copy of a fixed-size text field that stops at the field's end even without a terminator.
void CopyBoundedText(char* out, std::size_t outSize, const char* field, std::size_t fieldSize);

}  // namespace quillo
