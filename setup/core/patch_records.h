// The patch file of the PatchFile command: records of a 32-bit little-endian file offset, a
// 32-bit little-endian length and that many bytes, back to back up to the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillo::setup {

struct PatchRecord {
  std::uint32_t offset;       // where the bytes go in the output file
  const std::uint8_t* bytes;  // inside the patch file's buffer
  std::uint32_t length;
};

// All records, or nothing when a record's header or bytes run past the end of the patch file
// (a damaged patch is refused before anything is written).
std::optional<std::vector<PatchRecord>> ParsePatchRecords(const std::uint8_t* patch,
                                                          std::size_t size);

}  // namespace quillo::setup
