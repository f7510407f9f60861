// Names of the data files in the data folder: "<name>.lcf", or "<name><index>.lcf" for a series.
#pragma once

#include <cstddef>

namespace quillo {

constexpr int kNoIndex = -1;
constexpr int kMaxDataFileIndex = 999;  // at most three digits

// Writes "<dataFolder>\<name>[index].lcf" into out, adding the backslash only when the folder
// does not end with one. Returns false, leaving out empty, when the index is neither kNoIndex nor
// 0..999 or when the path would not fit into outSize bytes: a cut path would name another file.
bool BuildDataFilePath(const char* dataFolder, const char* name, int index, char* out,
                       std::size_t outSize);

}  // namespace quillo
