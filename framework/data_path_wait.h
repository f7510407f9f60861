// "-WAITFORDATAPATH": waiting with a tray icon until a data folder can be created, and the
// write test of a data folder.
#pragma once

namespace lwf {

// Creates the folder's missing levels, retrying every second while a tray icon offers "Quit".
// False when the user chose Quit.
bool WaitForFolder(const char* folder);

// Creates and deletes "<folder>\LWFWriteTest.tmp"; false when it cannot be created.
bool FolderWritable(const char* folder);

}  // namespace lwf
