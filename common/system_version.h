// The WindowsVersionCode of the running system.
#pragma once

#include "windows_version.h"

namespace quillo {

OsVersionFacts QueryOsVersionFacts();
int WindowsVersionCode(VersionReading reading);

}  // namespace quillo
