#include "command_line.h"

#include "text_compare.h"

namespace lwf {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Copies one word starting at p (quotes removed, blanks inside quotes kept); returns the
// position after it.
const char* ReadWord(const char* p, std::string& word) {
  bool quoted = false;
  for (; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else {
      word.push_back(*p);
    }
  }
  return p;
}

}  // namespace

SwitchList ParseCommandLine(const char* commandLine) {
  SwitchList switches;
  if (commandLine == nullptr) return switches;
  const char* p = commandLine;
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') break;
    std::string word;
    if (*p == '-') {
      while (*p != '\0' && !IsBlank(*p)) word.push_back(*p++);
      if (word.size() > kSwitchTextMax) word.resize(kSwitchTextMax);
      switches.push_back(SwitchRecord{std::move(word), {}});
      continue;
    }
    p = ReadWord(p, word);
    if (switches.empty()) switches.push_back(SwitchRecord{});
    switches.back().arguments.push_back(std::move(word));
  }
  return switches;
}

int FindSwitch(const SwitchList& switches, const char* name) {
  for (std::size_t i = 0; i < switches.size(); ++i) {
    if (EqualsIgnoringCase(switches[i].text.c_str(), name)) return static_cast<int>(i);
  }
  return -1;
}

bool ShowCommandMeansMinimized(int showCommand) {
  return showCommand != 1 && showCommand != 5 && showCommand != 10;
}

}  // namespace lwf
