// The shell allocator (IMalloc from SHGetMalloc) as the allocator of every item ID list the
// extension creates or frees.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include "item_id_list.h"

namespace quillo {

class ShellAllocator : public IdListAllocator {
 public:
  // Takes the current shell allocator; false when the shell gives none.
  bool Acquire();
  void Release() { malloc_.Reset(); }
  IMalloc* Get() const { return malloc_.Get(); }

  void* Allocate(std::size_t size) override;
  void Free(void* block) override;

 private:
  Microsoft::WRL::ComPtr<IMalloc> malloc_;
};

}  // namespace quillo
