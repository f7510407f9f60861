// Reading, writing and deleting the data files ("<name>[index].lcf") in a data folder.
#pragma once

#include <cstddef>

#include "data_file_name.h"

namespace quillo {

// Reads up to size bytes into buffer and returns the count; with a null buffer returns the
// file's size. 0 when the file cannot be opened.
std::size_t ReadDataFile(const char* dataFolder, const char* name, int index, void* buffer,
                         std::size_t size);

// Creates the data folder when it is missing, then replaces the file with the buffer's bytes.
// Returns the bytes written; 0 when the file cannot be created.
std::size_t WriteDataFile(const char* dataFolder, const char* name, int index, const void* buffer,
                          std::size_t size);

// Deletes name0.lcf, name1.lcf, ... until a delete fails; returns how many were deleted.
int DeleteDataFileSeries(const char* dataFolder, const char* name);

}  // namespace quillo
