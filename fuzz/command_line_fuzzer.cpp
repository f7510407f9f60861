// The options program's command line as the framework reads it (cut to its 1,040-byte buffer),
// and the switches it looks up.
#include "core/command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::TextBuffer(data, size, 1040);
  const lwf::SwitchList switches = lwf::ParseCommandLine(text.get());
  for (const lwf::SwitchRecord& record : switches) FUZZ_CHECK(record.text.size() <= lwf::kSwitchTextMax);
  for (const char* name : {"-RESTARTASADMIN", "-SAVEASADMIN", "-WAITFORDATAPATH", "-AUTOSTART", "-QUIT", "-MINIMIZE"}) {
    const int found = lwf::FindSwitch(switches, name);
    FUZZ_CHECK(found < static_cast<int>(switches.size()));
  }
  return 0;
}
