// A recent or favourite file ("MRU<n>", "FAV<n>"): read by the extension (separator marker or a
// well-formed list) and by the options program's favourites table (separator mark or the list's
// length); a list either accepts must then be walkable as an item ID list inside its bytes.
#include "fuzz_support.h"
#include "id_list_bytes.h"
#include "core/item_id_bytes.h"
#include "item_id_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > quillo::kMaxStoredIdListSize) return 0;  // the extension does not read larger files
  const auto bytes = fuzz::ExactCopy(data, size);
  if (!quillo::IsSeparatorMarker(bytes.get(), size) && quillo::IsWellFormedIdList(bytes.get(), size)) {
    FUZZ_CHECK(quillo::IdListSize(bytes.get()) == size);
  }
  if (!quillo::IsSeparatorMark(bytes.get(), size)) {
    const std::size_t length = quillo::ItemIdListLength(bytes.get(), size);
    FUZZ_CHECK(length <= size);
    if (length > 0) {
      // The table keeps a copy of exactly `length` bytes and hands it to the shell.
      const auto copy = fuzz::ExactCopy(bytes.get(), length);
      FUZZ_CHECK(quillo::IdListSize(copy.get()) == length);
    }
  }
  return 0;
}
