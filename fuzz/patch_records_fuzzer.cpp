// The patch file of the PatchFile command: every record must lie inside the file's bytes
// before anything is written.
#include "fuzz_support.h"
#include "patch_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto patch = fuzz::ExactCopy(data, size);
  const auto records = quillo::setup::ParsePatchRecords(patch.get(), size);
  if (!records) return 0;
  std::size_t total = 0;
  for (const quillo::setup::PatchRecord& record : *records) {
    FUZZ_CHECK(record.bytes >= patch.get() && record.bytes + record.length <= patch.get() + size);
    total += 8 + record.length;
  }
  FUZZ_CHECK(total == size);
  return 0;
}
