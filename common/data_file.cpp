#include "data_file.h"

#include <windows.h>

#include "directory_path.h"
#include "options_record.h"
#include "win_handle.h"

namespace quillo {

std::size_t ReadDataFile(const char* dataFolder, const char* name, int index, void* buffer,
                         std::size_t size) {
  char path[kPathSize];
  if (!BuildDataFilePath(dataFolder, name, index, path, sizeof path)) return 0;
  FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  if (buffer == nullptr) {
    const DWORD fileSize = GetFileSize(file.get(), nullptr);
    return fileSize == INVALID_FILE_SIZE ? 0 : fileSize;
  }
  DWORD read = 0;
  const DWORD want = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  if (!ReadFile(file.get(), buffer, want, &read, nullptr)) return 0;
  return read;
}

std::size_t WriteDataFile(const char* dataFolder, const char* name, int index, const void* buffer,
                          std::size_t size) {
  char path[kPathSize];
  if (buffer == nullptr || size > MAXDWORD) return 0;
  if (!BuildDataFilePath(dataFolder, name, index, path, sizeof path)) return 0;
  if (GetFileAttributesA(dataFolder) == INVALID_FILE_ATTRIBUTES) EnsureDirectoryPath(dataFolder);
  FileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  DWORD written = 0;
  if (!WriteFile(file.get(), buffer, static_cast<DWORD>(size), &written, nullptr)) return 0;
  return written;
}

int DeleteDataFileSeries(const char* dataFolder, const char* name) {
  int deleted = 0;
  for (int index = 0; index <= kMaxDataFileIndex; ++index) {
    char path[kPathSize];
    if (!BuildDataFilePath(dataFolder, name, index, path, sizeof path)) break;
    if (!DeleteFileA(path)) break;
    ++deleted;
  }
  return deleted;
}

}  // namespace quillo
