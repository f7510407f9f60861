// ConfigTransfer: backup of the data folder into a "*.LarkwellConfig" archive, and restore or
// reset through the pending archive that the next start-up carries out.
#pragma once

#include <windows.h>

namespace lwf {

enum ConfigOperation : int { kConfigRestore = 0, kConfigBackup = 1, kConfigReset = 2 };

enum ConfigResult : int {
  kConfigDone = 0,
  kConfigCancelled = 1,
  kConfigArchiveFailed = 2,  // archive not creatable or not readable as a configuration archive
  kConfigPendingFailed = 3,  // the pending archive could not be put in place
  kConfigWrongProduct = 4,
  kConfigFilesFailed = 5,    // some data files could not be backed up
};

// Runs the operation with its dialogs and messages; owner is the dialog asking.
int ConfigTransfer(HWND owner, int operation);

// "<data folder>\<product>.LarkwellConfig"; false when the path does not fit.
bool PendingArchivePath(char (&path)[MAX_PATH]);

// At start-up: replaces the data files by the content of the pending archive, then deletes the
// archive. A damaged archive is only deleted: nothing is removed before all of it has been read.
void ApplyPendingArchive(const char* archivePath);

}  // namespace lwf
