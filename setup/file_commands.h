// The script commands that create, copy, patch and remove files and folders.
#pragma once

namespace quillo::setup {

int CreateDirCommand(const char* path);
// option: "REBOOTIFLOCKED", "SILENT" or empty.
int CopyFileCommand(const char* source, const char* destination, const char* option);
int CopyUninstallCommand(const char* target);
int DeleteFileCommand(const char* pattern);
int RemoveDirCommand(const char* path);
int PatchFileCommand(const char* source, const char* patchFile, const char* folder);

}  // namespace quillo::setup
