// LwfStringTable with application tables of random rows (unsorted, repeated ids, rows beyond
// the end row), random languages and random lookups, beside the framework's own texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "core/string_table.h"

namespace {

// Texts the lookups may return: "<id>/<index>" of the row that holds them.
struct Table {
  std::vector<std::string> texts;
  std::vector<lwf::StringEntry> rows;
};

void Fill(Table& table, FuzzedDataProvider& input) {
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 40);
  table.texts.reserve(count * lwf::kTextsPerEntry);
  for (std::size_t r = 0; r < count; ++r) {
    lwf::StringEntry row{input.ConsumeIntegral<std::uint16_t>(), {}};
    const std::size_t used = input.ConsumeIntegralInRange<std::size_t>(0, lwf::kTextsPerEntry);
    for (std::size_t i = 0; i < used; ++i) {
      table.texts.push_back(std::to_string(row.id) + "/" + std::to_string(i));
      row.texts[i] = table.texts.back().c_str();
    }
    table.rows.push_back(row);
  }
  table.rows.push_back({lwf::kEndOfTable, {}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  lwf::LwfStringTable strings;
  Table tables[2];
  for (Table& table : tables) {
    Fill(table, input);
    strings.RegisterApplicationTable(input.ConsumeIntegralInRange<int>(-1, 2), table.rows.data());
  }
  strings.SetLanguage(input.ConsumeIntegralInRange<int>(-1, 2));
  while (input.remaining_bytes() > 0) {
    const auto id = input.ConsumeIntegral<std::uint16_t>();
    const auto index = input.ConsumeIntegralInRange<std::size_t>(0, 20);
    const char* text = strings.Lookup(id, index);
    if (text == nullptr || id >= lwf::kFirstFrameworkId) continue;
    FUZZ_CHECK(std::string(text) == std::to_string(id) + "/" + std::to_string(index));
  }
  return 0;
}
