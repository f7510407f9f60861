// The framework's DataFile access: files "<name>[index].lcf" in the data folder (or the shared
// data folder), written through a temporary file that then replaces the old one.
#pragma once

#include <cstddef>

namespace lwf {

enum class DataFolderKind { kPrimary, kShared };

// With a null buffer: the file's size (0 when missing). Otherwise reads up to size bytes, fills
// the rest of the buffer with zero bytes and returns the bytes read; a missing file returns 0 and
// leaves the buffer untouched.
std::size_t ReadData(const char* name, int index, void* buffer, std::size_t size,
                     DataFolderKind folder = DataFolderKind::kPrimary);

// Writes "<file>_tmp" and moves it over the file; creates missing folders once. size or 0.
std::size_t WriteData(const char* name, int index, const void* data, std::size_t size,
                      DataFolderKind folder = DataFolderKind::kPrimary);

// Deletes the plain file; with all, also the numbered files from 0 until one cannot be deleted.
void DeleteData(const char* name, bool all, DataFolderKind folder = DataFolderKind::kPrimary);

// The same operations on an explicit folder (used by the above and by tests).
std::size_t ReadDataIn(const char* folder, const char* name, int index, void* buffer,
                       std::size_t size);
std::size_t WriteDataIn(const char* folder, const char* name, int index, const void* data,
                        std::size_t size);
void DeleteDataIn(const char* folder, const char* name, bool all);

}  // namespace lwf
