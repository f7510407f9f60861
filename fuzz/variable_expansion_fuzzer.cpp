// The script's variables and the texts they expand into (argument, message and path buffers),
// with random names and values (some longer than their fields, some referring to themselves),
// and the If conditions over random texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "condition_stack.h"
#include "fuzz_support.h"
#include "variable_table.h"

namespace {

using namespace quillo::setup;

void Expand(const VariableTable& table, const std::string& text, std::size_t size) {
  std::vector<char> buffer(size);
  const std::size_t length = std::min(text.size(), size - 1);
  std::memcpy(buffer.data(), text.data(), length);
  buffer[length] = '\0';
  ExpandVariables(table, buffer.data(), size);
  FUZZ_CHECK(strnlen(buffer.data(), size) < size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  VariableTable table;
  const int count = input.ConsumeIntegralInRange<int>(0, 12);
  for (int i = 0; i < count; ++i) {
    const std::string name = input.ConsumeRandomLengthString(40);
    const std::string value = input.ConsumeRandomLengthString(600);
    table.Set(name.c_str(), value.c_str());
    FUZZ_CHECK(std::strlen(table.Text(name.c_str())) < kVariableValueSize);
  }
  const std::string text = input.ConsumeRandomLengthString(1100);
  for (std::size_t bufferSize : {std::size_t{520}, std::size_t{1024}, std::size_t{260}, std::size_t{2}}) {
    Expand(table, text, bufferSize);
  }
  std::string arguments[5];
  const char* values[5];
  for (int i = 0; i < 5; ++i) {
    arguments[i] = input.ConsumeRandomLengthString(30);
    values[i] = arguments[i].c_str();
  }
  EvaluateCondition(values, input.ConsumeBool() ? 3 : 5);
  return 0;
}
