// The setup information (REG_BINARY, written by Setup, read by the extension and the options
// program): the data folder composed from it and its text fields copied into MAX_PATH buffers.
#include "fuzz_support.h"
#include "setup_info_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillo::SetupInfoRecord record{};
  fuzz::ReadRecord(record, data, size);
  char folder[quillo::kPathSize];
  for (const char* user : {"Administrator", ""}) {
    if (quillo::ComposeDataFolder(record, user, "C:\\Users\\Administrator\\AppData\\Roaming", "Quillo", folder,
                                  sizeof folder)) {
      FUZZ_CHECK(std::strlen(folder) < sizeof folder);
    } else {
      FUZZ_CHECK(folder[0] == '\0');
    }
  }
  char text[quillo::kPathSize];
  for (const char* field : {record.installFolder, record.versionCheckUrl, record.downloadUrl}) {
    quillo::CopyBoundedText(text, sizeof text, field, quillo::kPathSize);
    FUZZ_CHECK(std::strlen(text) < sizeof text);
  }
  return 0;
}
