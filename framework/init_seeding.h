// Seeding the data folder with the first-run files of the install folder's "Init" tree.
#pragma once

namespace lwf {

// Copies every file below "<installFolder>\Init" (all sub-folders) to the same relative path
// under dataFolder, never replacing an existing file; missing sub-folders are not created.
void SeedDataFolderTree(const char* installFolder, const char* dataFolder);

}  // namespace lwf
