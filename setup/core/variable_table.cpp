#include "variable_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace quillo::setup {
namespace {

std::size_t CopyCut(char* out, std::size_t outSize, const char* text) {
  const std::size_t length = strnlen(text, outSize - 1);
  std::memcpy(out, text, length);
  out[length] = '\0';
  return length;
}

}  // namespace

const ScriptVariable* VariableTable::Match(const char* at, std::size_t available) const {
  for (const ScriptVariable& v : variables_) {
    if (v.nameLength > 0 && v.nameLength <= available &&
        std::memcmp(at, v.name, v.nameLength) == 0) {
      return &v;
    }
  }
  return nullptr;
}

bool VariableTable::Set(const char* name, const char* value) {
  ScriptVariable* target = const_cast<ScriptVariable*>(Match(name, std::strlen(name)));
  if (target == nullptr) {
    try {
      variables_.emplace_back();
    } catch (const std::bad_alloc&) {
      return false;
    }
    target = &variables_.back();
    target->nameLength = CopyCut(target->name, sizeof target->name, name);
  }
  target->valueLength = CopyCut(target->value, sizeof target->value, value);
  target->number = std::strtod(target->value, nullptr);
  return true;
}

const char* VariableTable::Text(const char* name) const {
  const ScriptVariable* v = Match(name, std::strlen(name));
  return v ? v->value : "";
}

int VariableTable::Number(const char* name) const {
  const ScriptVariable* v = Match(name, std::strlen(name));
  return v ? static_cast<int>(v->number) : -1;
}

bool VariableTable::IsDefined(const char* name) const {
  return Match(name, std::strlen(name)) != nullptr;
}

void ExpandVariables(const VariableTable& table, char* text, std::size_t size) {
  if (text == nullptr || size == 0) return;
  std::size_t length = strnlen(text, size - 1);
  text[length] = '\0';
  std::size_t insertedEnd = 0;  // text before this position came from variable values
  std::size_t at = 0;
  while (at < length) {
    if (at >= insertedEnd && text[at] == '\\' && text[at + 1] == 'n') {
      text[at] = '\r';
      text[at + 1] = '\n';
      at += 2;
      continue;
    }
    const ScriptVariable* v = table.Match(text + at, length - at);
    if (v == nullptr) {
      ++at;
      continue;
    }
    // Replace the name by the value, keeping as much of the rest as fits.
    const std::size_t rest = length - at - v->nameLength;
    const std::size_t valueKept = std::min(v->valueLength, size - 1 - at);
    const std::size_t restKept = std::min(rest, size - 1 - at - valueKept);
    std::memmove(text + at + valueKept, text + at + v->nameLength, restKept);
    std::memcpy(text + at, v->value, valueKept);
    length = at + valueKept + restKept;
    text[length] = '\0';
    // The inserted value is protected; a value inserted inside another shifts that one's end.
    const std::size_t shiftedEnd =
        (at < insertedEnd && insertedEnd + valueKept > v->nameLength)
            ? std::min(insertedEnd + valueKept - v->nameLength, length)
            : 0;
    insertedEnd = std::max(shiftedEnd, at + valueKept);
    // An empty value leaves the following character unexamined: stay on it.
    if (valueKept > 0) ++at;
  }
}

}  // namespace quillo::setup
