#include "condition_stack.h"

#include <cstdlib>

#include "ascii_text.h"

namespace quillo::setup {
namespace {

constexpr unsigned char kRunning = 1;
constexpr unsigned char kSkipped = 2;

// a op b; `unknown` is the result of an operator that is none of = ! < >.
bool Compare(const char* a, const char* op, const char* b, bool unknown) {
  const double x = std::strtod(a, nullptr), y = std::strtod(b, nullptr);
  const bool orEqual = op[0] != '\0' && op[1] == '=';
  switch (op[0]) {
    case '=': return EqualIgnoringCase(a, b);
    case '!': return !EqualIgnoringCase(a, b);
    case '<': return orEqual ? x <= y : x < y;
    case '>': return orEqual ? x >= y : x > y;
    default: return unknown;
  }
}

}  // namespace

bool EvaluateCondition(const char* const* arguments, int count) {
  const bool first = Compare(arguments[0], arguments[1], arguments[2], false);
  if (count < 5) return first;
  return first && Compare(arguments[0], arguments[3], arguments[4], true);
}

bool ConditionStack::Push(bool condition) {
  if (depth_ == kMaxDepth || overflow_ > 0) {
    ++overflow_;
    return false;
  }
  entries_[depth_++] = condition ? kRunning : kSkipped;
  return true;
}

void ConditionStack::Else() {
  if (overflow_ > 0 || depth_ == 0) return;
  entries_[depth_ - 1] = entries_[depth_ - 1] == kRunning ? kSkipped : kRunning;
}

void ConditionStack::Endif() {
  if (overflow_ > 0) {
    --overflow_;
  } else if (depth_ > 0) {
    --depth_;
  }
}

bool ConditionStack::Skipping() const {
  if (overflow_ > 0) return true;
  for (int i = 0; i < depth_; ++i) {
    if (entries_[i] == kSkipped) return true;
  }
  return false;
}

}  // namespace quillo::setup
