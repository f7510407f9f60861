// Finding the DataFolder and InstallFolder from the setup information, and seeding the data
// folder with the first-run files of the install folder's "Init" sub-folder.
#pragma once

#include "options_record.h"
#include "setup_info.h"

namespace quillo {

struct ProgramFolders {
  char dataFolder[kPathSize];
  char installFolder[kPathSize];
};

// True when the record was read with exactly 1326 bytes; folders are then set and the data
// folder is seeded. False leaves folders untouched.
bool ResolveFolders(const char* productName, RegistryView view, ProgramFolders& folders);

// The DataFolder a record leads to on this system (user name and application-data folder read
// from Windows). False when it does not fit.
bool DataFolderForRecord(const SetupInfoRecord& record, const char* productName, char* out,
                         std::size_t outSize);

// Copies every file of "<installFolder>\Init" into dataFolder without replacing existing files;
// failures are ignored and no directory is created.
void SeedDataFolder(const char* installFolder, const char* dataFolder);

}  // namespace quillo
