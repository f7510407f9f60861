// The unattended install: no wizard, no questions, a log file at the end.
#pragma once

namespace quillo::setup {

// Phases 0 and 1, then 2 (or 3 after a failure), the init files, and the log file.
void RunSilentInstall();

// #INSTALLSIZE#: the size of all files below #INSTALLPATH# in kilobytes.
void SetInstallSize();

// Copies the InitFileList into "#INSTALLPATH#\Init"; returns how many copies failed.
int CopyInitFiles();

// "<program file name>.log" in the current directory: the message of a failure, then the
// success or failure line.
void WriteSetupLog();

}  // namespace quillo::setup
