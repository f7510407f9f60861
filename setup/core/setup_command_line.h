// Setup's command line: an optional -WORKDIR "folder", then arguments read like script
// arguments. The first argument whose last path part has no dot is the installation folder
// (and makes the install silent); every other argument is a file for the Init folder.
#pragma once

#include <string>
#include <vector>

namespace quillo::setup {

struct SetupCommandLine {
  bool hasWorkDir = false;
  std::string workDir;      // at most 259 characters
  bool silent = false;
  std::string installPath;  // at most 519 characters, as a script argument
  std::vector<std::string> initFiles;  // each at most 259 characters; longer ones are dropped
};

// The command line after the program name (which may be quoted) and the blanks that follow it.
const char* SkipProgramName(const char* commandLine);

// `text` is the command line after the program name.
SetupCommandLine ParseSetupCommandLine(const char* text);

}  // namespace quillo::setup
