// If/Else/Endif blocks of the setup script.
#pragma once

namespace quillo::setup {

// The result of an If with three (a, op, b) or five (a, op1, b, op2, c) arguments: "=" and "!"
// compare texts ignoring case, "<", "<=", ">", ">=" compare numbers read with strtod; any other
// first operator is false, any other second operator true.
bool EvaluateCondition(const char* const* arguments, int count);

// Up to 31 nested blocks, each running (1) or skipped (2). Blocks beyond 31 are not stored:
// they are counted, treated as skipped, and Push reports false so that the script's author
// learns of it; their Else and Endif keep the count balanced.
class ConditionStack {
 public:
  static constexpr int kMaxDepth = 31;

  bool Push(bool condition);
  void Else();
  void Endif();
  // True when any open block is skipped.
  bool Skipping() const;
  int depth() const { return depth_; }

 private:
  unsigned char entries_[kMaxDepth] = {};
  int depth_ = 0;
  int overflow_ = 0;
};

}  // namespace quillo::setup
