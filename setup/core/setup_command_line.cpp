#include "setup_command_line.h"

#include <algorithm>
#include <cstring>

#include "ascii_text.h"
#include "script_argument.h"

namespace quillo::setup {
namespace {

constexpr std::size_t kPathLimit = 259;

bool LastPartHasDot(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return std::strchr(slash ? slash + 1 : path, '.') != nullptr;
}

}  // namespace

const char* SkipProgramName(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

SetupCommandLine ParseSetupCommandLine(const char* text) {
  SetupCommandLine result;
  if (text == nullptr) return result;
  const char* at = text;
  if (EqualIgnoringCase(at, "-WORKDIR", 8)) {
    result.hasWorkDir = true;
    // The folder starts after "-WORKDIR", a blank and the opening quote.
    const std::size_t length = strnlen(at, 10);
    at += length;
    const char* quote = std::strchr(at, '"');
    const char* end = quote ? quote : at + std::strlen(at);
    result.workDir.assign(at, std::min<std::size_t>(end - at, kPathLimit));
    at = quote ? quote + 1 : end;
  }
  char argument[kArgumentSize];
  while (ReadArgument(at, argument, sizeof argument)) {
    if (!result.silent && !LastPartHasDot(argument)) {
      result.silent = true;
      result.installPath = argument;
    } else if (std::strlen(argument) <= kPathLimit) {
      result.initFiles.emplace_back(argument);
    }
  }
  return result;
}

}  // namespace quillo::setup
