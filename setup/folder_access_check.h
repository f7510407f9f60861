// Whether the logged-on user can write to a folder, tested by CheckFolderAccess.exe run as
// that user (Setup itself runs elevated and could write almost anywhere).
#pragma once

namespace quillo::setup {

enum FolderAccess { kFolderWritable = 0, kFolderNotWritable = 1, kFolderCheckUnavailable = -1 };

// Copies CheckFolderAccess.exe (loose file or payload entry) into #INSTALLPATH#, runs it as the
// desktop user with the folder, waits for its exit code and deletes the copy.
FolderAccess CheckFolderAccess(const char* folder);

}  // namespace quillo::setup
