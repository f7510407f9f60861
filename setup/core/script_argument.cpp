#include "script_argument.h"

#include <cstring>

namespace quillo::setup {
namespace {

bool AtLineEnd(const char* at) { return *at == '\0' || *at == '\r'; }

void SkipInLine(const char*& at) {
  while (!AtLineEnd(at) && IsScriptWhiteSpace(*at)) ++at;
}

}  // namespace

bool IsScriptWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool ReadArgument(const char*& at, char* out, std::size_t outSize) {
  SkipInLine(at);
  if (AtLineEnd(at)) return false;
  std::size_t length = 0;
  auto store = [&](char c) {
    if (length + 1 < outSize) out[length++] = (c == '^') ? '"' : c;
  };
  if (*at == '"') {
    ++at;
    while (!AtLineEnd(at) && *at != '"') store(*at++);
    if (*at == '"') ++at;
  } else {
    while (!AtLineEnd(at) && *at != ',') store(*at++);
    while (length > 0 && out[length - 1] == ' ') --length;
  }
  if (outSize > 0) out[length] = '\0';
  SkipInLine(at);
  if (*at == ',') ++at;
  return true;
}

void ScriptArguments::Read(const char* at, int wanted) {
  std::memset(values, 0, sizeof values);
  count = 0;
  if (wanted > kMaxArguments) wanted = kMaxArguments;
  while (count < wanted && ReadArgument(at, values[count], kArgumentSize)) ++count;
}

}  // namespace quillo::setup
