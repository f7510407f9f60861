// Reading and writing a file in one piece (archives).
#pragma once

#include <cstddef>

#include "core/zip_archive.h"

namespace lwf {

// The file's bytes; false when it cannot be opened for reading (sharing reads only, so a file
// another process is writing fails), is larger than limit, or cannot be read whole.
bool ReadWholeFile(const char* path, std::size_t limit, Bytes& out);

// Creates or replaces the file with the bytes; false on any failure.
bool WriteWholeFile(const char* path, const Bytes& bytes);

}  // namespace lwf
