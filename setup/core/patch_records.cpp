#include "patch_records.h"

#include "little_endian.h"

namespace quillo::setup {

std::optional<std::vector<PatchRecord>> ParsePatchRecords(const std::uint8_t* patch,
                                                          std::size_t size) {
  std::vector<PatchRecord> records;
  std::size_t at = 0;
  while (at < size) {
    if (size - at < 8) return std::nullopt;
    PatchRecord record{ReadLittleEndian32(patch + at), patch + at + 8,
                       ReadLittleEndian32(patch + at + 4)};
    at += 8;
    if (record.length > size - at) return std::nullopt;
    at += record.length;
    records.push_back(record);
  }
  return records;
}

}  // namespace quillo::setup
