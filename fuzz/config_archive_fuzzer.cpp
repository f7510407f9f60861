// The configuration archive ("*.LarkwellConfig") as a restore checks it before touching the
// data folder. Checksums are fixed by the custom mutator (zip_checksums).
#include "core/config_archive.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::ExactCopy(data, size);
  const lwf::ConfigArchive archive = lwf::ReadConfigArchive(bytes.get(), size, "Quillo");
  if (archive.status == lwf::ConfigArchiveStatus::kDamaged) {
    FUZZ_CHECK(archive.files.empty());
    return 0;
  }
  FUZZ_CHECK(archive.keepPatterns.size() < lwf::kProductEntrySize);
  // Only names that stay inside the data folder are ever written.
  for (const lwf::ConfigFile& file : archive.files) FUZZ_CHECK(lwf::SafeEntryName(file.name));
  for (const std::string& pattern : lwf::SplitPatterns(archive.keepPatterns)) FUZZ_CHECK(!pattern.empty());
  return 0;
}
