// Setup.exe's image with its appended payload: the payload found behind the last header text,
// then every entry Setup and the uninstaller copy look up, and the cut the uninstaller makes
// before the header.
#include "fuzz_support.h"
#include "setup_payload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = fuzz::ExactCopy(data, size);
  const auto start = quillo::setup::FindPayloadStart(image.get(), size);
  if (!start) return 0;
  FUZZ_CHECK(*start >= quillo::setup::kPayloadHeaderSize && *start <= size);
  for (const char* name : {"Setup.lis", "Uninstall.lis", "Quillo.exe", "Quillo32.dll", "Quillo64.dll",
                           "Quillo.chm", "CheckFolderAccess.exe", "setup.LIS"}) {
    const auto entry = quillo::setup::FindPayloadEntry(image.get(), size, *start, name);
    if (entry) FUZZ_CHECK(entry->dataOffset >= *start && entry->dataOffset <= size && entry->end() <= size);
  }
  return 0;
}
