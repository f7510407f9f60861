// The texts of the options dialogs: an extension list typed into its edit box (read into the
// dialog's text buffer) becomes the record's 260-byte list and is shown again; numbers typed
// into the count and width boxes are read and held to their ranges.
#include "fuzz_support.h"
#include "core/option_text.h"
#include "options_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::TextBuffer(data, size, quillo::kDialogTextSize);
  char list[quillo::kPathSize];
  quillo::TextToExtensionList(text.get(), list, sizeof list);
  // The list ends with an empty item inside its field.
  FUZZ_CHECK(list[sizeof list - 1] == '\0' && list[sizeof list - 2] == '\0');
  char shown[quillo::kDialogTextSize];
  quillo::ExtensionListToText(list, sizeof list, shown, sizeof shown);
  FUZZ_CHECK(std::strlen(shown) < sizeof shown);
  // A list read from the file may fill its field without terminators.
  if (size >= quillo::kPathSize) {
    quillo::ExtensionListToText(reinterpret_cast<const char*>(data), quillo::kPathSize, shown, sizeof shown);
    FUZZ_CHECK(std::strlen(shown) < sizeof shown);
  }
  if (const auto number = quillo::ParseNumber(text.get())) {
    const int count = quillo::Clamp(*number, 1, 64);
    FUZZ_CHECK(count >= 1 && count <= 64);
    const int width = quillo::Clamp(*number, 1024, 16);
    FUZZ_CHECK(width >= 16 && width <= 1024);
  }
  return 0;
}
