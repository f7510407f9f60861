// The Favorites editor's list driven by a random sequence of the editor's commands (insert item,
// insert separator, remove, move up, move down) with random selections, up to 64 lines.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/edit_list.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t kCapacity = 64;

void CheckLines(const quillo::EditList& list) {
  FUZZ_CHECK(list.lines().size() <= kCapacity);
  for (std::size_t i = 0; i < list.lines().size(); ++i) {
    const quillo::EditLine& line = list.lines()[i];
    if (line.data == quillo::kSeparatorData) continue;
    // Items are unique ignoring case: Find leads to this one (or to a separator, should an
    // item carry the separator's text).
    const int found = list.Find(line.text);
    FUZZ_CHECK(found == static_cast<int>(i) ||
               (found >= 0 && list.lines()[static_cast<std::size_t>(found)].data == quillo::kSeparatorData));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  quillo::EditList list(input.ConsumeIntegralInRange<std::size_t>(1, kCapacity));
  while (input.remaining_bytes() > 0) {
    const int count = static_cast<int>(list.lines().size());
    const int selected = input.ConsumeIntegralInRange<int>(-2, count + 1);
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
      case 0: {
        const std::string text = input.ConsumeRandomLengthString(40);
        const auto inserted = list.InsertItem(selected, text, input.ConsumeIntegral<std::uint8_t>());
        FUZZ_CHECK(inserted.index < static_cast<int>(list.lines().size()));
        if (inserted.inserted) FUZZ_CHECK(list.lines()[static_cast<std::size_t>(inserted.index)].text == text);
        break;
      }
      case 1:
        FUZZ_CHECK(list.InsertSeparator(selected) < static_cast<int>(list.lines().size()));
        break;
      case 2: {
        quillo::EditLine removed;
        FUZZ_CHECK(list.Remove(selected, &removed) < static_cast<int>(list.lines().size()));
        break;
      }
      case 3:
        FUZZ_CHECK(list.MoveUp(selected) < count);
        break;
      default:
        FUZZ_CHECK(list.MoveDown(selected) < count);
        break;
    }
    CheckLines(list);
  }
  return 0;
}
