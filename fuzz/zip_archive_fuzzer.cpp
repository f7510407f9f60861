// ZIP archives as the restore reads them: the central directory with every local header, then
// each entry inflated and checked. Checksums are fixed by the custom mutator (zip_checksums).
#include "core/crc32.h"
#include "core/zip_archive.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto archive = fuzz::ExactCopy(data, size);
  const auto entries = lwf::ReadZipDirectory(archive.get(), size);
  if (!entries) return 0;
  FUZZ_CHECK(entries->size() <= lwf::kMaxZipEntries);
  for (const lwf::ZipEntry& entry : *entries) {
    lwf::SafeEntryName(entry.name);
    FUZZ_CHECK(entry.dataOffset <= size && size - entry.dataOffset >= entry.compressedSize);
    const auto bytes = lwf::ExtractZipEntry(archive.get(), size, entry);
    if (!bytes) continue;
    FUZZ_CHECK(bytes->size() == entry.size && lwf::Crc32(bytes->data(), bytes->size()) == entry.crc);
  }
  return 0;
}
