// Setup's command line (GetCommandLineA): the program name skipped, then -WORKDIR, the
// installation folder of a silent install and the files for the Init folder.
#include <string>

#include "fuzz_support.h"
#include "script_argument.h"
#include "setup_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string commandLine = fuzz::Text(data, size);  // a NUL inside ends the line
  const char* arguments = quillo::setup::SkipProgramName(commandLine.c_str());
  FUZZ_CHECK(arguments >= commandLine.c_str() && arguments <= commandLine.c_str() + commandLine.size());
  const quillo::setup::SetupCommandLine parsed = quillo::setup::ParseSetupCommandLine(arguments);
  FUZZ_CHECK(parsed.workDir.size() <= 259);
  FUZZ_CHECK(parsed.installPath.size() < quillo::setup::kArgumentSize);
  FUZZ_CHECK(parsed.silent || parsed.installPath.empty());
  for (const std::string& file : parsed.initFiles) FUZZ_CHECK(file.size() <= 259);
  return 0;
}
