#include "shell_allocator.h"

#include <shlobj.h>

namespace quillo {

bool ShellAllocator::Acquire() {
  Microsoft::WRL::ComPtr<IMalloc> fresh;
  if (FAILED(SHGetMalloc(&fresh))) return false;
  malloc_ = fresh;
  return true;
}

void* ShellAllocator::Allocate(std::size_t size) {
  return malloc_ ? malloc_->Alloc(size) : nullptr;
}

void ShellAllocator::Free(void* block) {
  // Lists are only ever created through Allocate, so an allocator is present when one exists.
  if (malloc_ && block) malloc_->Free(block);
}

}  // namespace quillo
