#include "framework_data_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "data_file_name.h"
#include "directory_path.h"
#include "lwf_app.h"
#include "win_handle.h"

namespace lwf {
namespace {

const char* FolderOf(DataFolderKind kind) {
  return kind == DataFolderKind::kShared ? App().sharedDataFolder : App().dataFolder;
}

// Creates the missing folders of a path, pausing 100 ms when that fails.
void CreateFoldersWithPause(const char* folder) {
  if (quillo::EnsureDirectoryPath(folder) != quillo::kDirectoryReady) Sleep(100);
}

HANDLE CreateTemporary(const char* path) {
  return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::size_t ReadDataIn(const char* folder, const char* name, int index, void* buffer,
                       std::size_t size) {
  char path[MAX_PATH];
  if (!quillo::BuildDataFilePath(folder, name, index, path, sizeof path)) return 0;
  quillo::FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  if (buffer == nullptr) {
    const DWORD fileSize = GetFileSize(file.get(), nullptr);
    return fileSize == INVALID_FILE_SIZE ? 0 : fileSize;
  }
  const DWORD want = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  DWORD read = 0;
  // A failed read (another process locks the file) leaves the caller's defaults in place.
  if (!ReadFile(file.get(), buffer, want, &read, nullptr)) return 0;
  std::memset(static_cast<char*>(buffer) + read, 0, size - read);
  return read;
}

std::size_t WriteDataIn(const char* folder, const char* name, int index, const void* data,
                        std::size_t size) {
  if (data == nullptr || size > MAXDWORD) return 0;
  char path[MAX_PATH], temporary[MAX_PATH + 4];
  if (!quillo::BuildDataFilePath(folder, name, index, path, sizeof path)) return 0;
  std::snprintf(temporary, sizeof temporary, "%s_tmp", path);
  {
    quillo::FileHandle file(CreateTemporary(temporary));
    if (!file) {
      CreateFoldersWithPause(folder);
      file = quillo::FileHandle(CreateTemporary(temporary));
    }
    if (!file) return 0;
    DWORD written = 0;
    if (!WriteFile(file.get(), data, static_cast<DWORD>(size), &written, nullptr) ||
        written != size) {
      file.reset();
      DeleteFileA(temporary);
      return 0;
    }
  }
  if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary);
    return 0;
  }
  return size;
}

void DeleteDataIn(const char* folder, const char* name, bool all) {
  char path[MAX_PATH];
  if (quillo::BuildDataFilePath(folder, name, quillo::kNoIndex, path, sizeof path)) {
    DeleteFileA(path);
  }
  if (!all) return;
  for (int index = 0; index <= quillo::kMaxDataFileIndex; ++index) {
    if (!quillo::BuildDataFilePath(folder, name, index, path, sizeof path) || !DeleteFileA(path)) {
      break;
    }
  }
}

std::size_t ReadData(const char* name, int index, void* buffer, std::size_t size,
                     DataFolderKind folder) {
  return ReadDataIn(FolderOf(folder), name, index, buffer, size);
}

std::size_t WriteData(const char* name, int index, const void* data, std::size_t size,
                      DataFolderKind folder) {
  return WriteDataIn(FolderOf(folder), name, index, data, size);
}

void DeleteData(const char* name, bool all, DataFolderKind folder) {
  DeleteDataIn(FolderOf(folder), name, all);
}

}  // namespace lwf
