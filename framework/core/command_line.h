// The framework's command line: switches begin with '-' and run to the next blank; every other
// word (in double quotes it may hold blanks) is an argument of the switch before it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lwf {

constexpr std::size_t kSwitchTextMax = 259;

struct SwitchRecord {
  std::string text;  // "" for the arguments that precede the first switch
  std::vector<std::string> arguments;
};

using SwitchList = std::vector<SwitchRecord>;

SwitchList ParseCommandLine(const char* commandLine);

// Index of the record whose switch equals name ignoring case, or -1.
int FindSwitch(const SwitchList& switches, const char* name);

// Show commands that do not ask for a minimised start: normal (1), show (5), default (10).
bool ShowCommandMeansMinimized(int showCommand);

}  // namespace lwf
