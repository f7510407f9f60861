// The "Shell IDList Array" block a data object hands to Initialize: validated by the view, then
// the first item joined to the parent folder's list as the context target is, and the dragged
// items walked as a drop walks them.
#include <cstdlib>

#include "fuzz_support.h"
#include "id_list_array.h"
#include "item_id_list.h"

namespace {

class HeapAllocator : public quillo::IdListAllocator {
 public:
  void* Allocate(std::size_t size) override { return std::malloc(size); }
  void Free(void* block) override { std::free(block); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto block = fuzz::ExactCopy(data, size);
  const quillo::IdListArrayView view(block.get(), size);
  if (!view.Valid()) {
    FUZZ_CHECK(view.Count() == 0 && view.Parent() == nullptr);
    return 0;
  }
  if (view.Count() == 0) return 0;
  HeapAllocator allocator;
  quillo::OwnedIdList target(allocator, quillo::JoinIdLists(allocator, view.Parent(), view.Item(0)));
  FUZZ_CHECK(target);
  FUZZ_CHECK(quillo::IdListSize(target.get()) + 2 ==
             quillo::IdListSize(view.Parent()) + quillo::IdListSize(view.Item(0)));
  // The menus walk up from the target and split off its last item.
  quillo::OwnedIdList last(allocator, quillo::SplitOffLastId(allocator, target.get()));
  FUZZ_CHECK(last);
  while (quillo::ParentIdList(target.get())) {
  }
  FUZZ_CHECK(quillo::IsEmptyIdList(target.get()));
  for (std::uint32_t i = 0; i < view.Count(); ++i) {
    const void* item = view.Item(i);
    FUZZ_CHECK(item != nullptr);
    quillo::OwnedIdList copy(allocator, quillo::CopyIdList(allocator, item));
    FUZZ_CHECK(quillo::IdListSize(copy.get()) == quillo::IdListSize(item));
  }
  FUZZ_CHECK(view.Item(view.Count()) == nullptr);
  return 0;
}
