// The script commands that write and delete registry values and keys, and the setup
// information record.
#pragma once

#include <windows.h>

#include "setup_info_record.h"

namespace quillo::setup {

// "CR"/"HKEY_CLASSES_ROOT", "LM"/"HKEY_LOCAL_MACHINE", "CU"/"HKEY_CURRENT_USER" (any case);
// null for any other text.
HKEY RegistryRoot(const char* name);

// The 64-bit view on a 64-bit system when the option is "x64" (any case), else 0.
REGSAM ViewAccess(const char* option);

int CreateRegValSzCommand(const char* root, const char* key, const char* name, const char* text,
                          const char* option);
int CreateRegValDWCommand(const char* root, const char* key, const char* name,
                          const char* number, const char* option);
int DeleteRegKeyCommand(const char* root, const char* key, const char* option);
int DeleteRegValCommand(const char* root, const char* key, const char* name, const char* option);
int CreateSetupInfoCommand(const char* product, const char* version);

// Stores the record as the product's REG_BINARY value under HKLM\Software\Larkwell.
bool WriteSetupInfoRecord(const char* product, const SetupInfoRecord& record);

}  // namespace quillo::setup
