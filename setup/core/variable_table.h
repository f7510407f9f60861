// The script's string variables (#NAME#) and their expansion into texts.
#pragma once

#include <cstddef>
#include <deque>

namespace quillo::setup {

constexpr std::size_t kVariableNameSize = 32;    // 31 characters
constexpr std::size_t kVariableValueSize = 520;  // 519 characters

struct ScriptVariable {
  char name[kVariableNameSize];
  char value[kVariableValueSize];
  double number;  // the value read with strtod when set
  std::size_t nameLength;
  std::size_t valueLength;
};

// Variables in order of first definition. A text finds the first variable whose whole name
// is a prefix of it (case-sensitive). A variable stays where it is while others are added, so a
// value text read before a Set of another variable remains valid.
class VariableTable {
 public:
  // Replaces the value of the variable the name finds, or appends a new one. Name and value are
  // cut to their sizes. False when the table cannot grow.
  bool Set(const char* name, const char* value);

  // The value text, "" when undefined.
  const char* Text(const char* name) const;
  // The numeric value truncated to an integer, -1 when undefined.
  int Number(const char* name) const;
  bool IsDefined(const char* name) const;

  // The first variable whose name matches the text at `at` (not beyond `available` characters).
  const ScriptVariable* Match(const char* at, std::size_t available) const;

 private:
  std::deque<ScriptVariable> variables_;
};

// Expands the NUL-terminated text in its buffer of `size` bytes, left to right: "\n" written in
// the text becomes CR LF (inside inserted values it stays, so that a folder such as C:\new keeps
// its name); a variable's name is replaced by its value, and the walk goes on at the value's second
// character (so references inside a value after its first character expand too). An undefined
// reference stays as written. A result that would not fit is cut to size - 1 characters, so a
// value that refers to itself ends when the buffer is full.
void ExpandVariables(const VariableTable& table, char* text, std::size_t size);

}  // namespace quillo::setup
