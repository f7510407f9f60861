#include "folder_listing.h"

#include <new>

namespace quillo {

FolderListing* CreateFolderListing(IMalloc* allocator) {
  auto* listing = new (std::nothrow) FolderListing;
  if (listing == nullptr) return nullptr;
  listing->allocator = allocator;
  return listing;
}

void DestroyFolderListing(FolderListing* listing) {
  if (listing == nullptr) return;
  IMalloc* allocator = listing->allocator;
  if (listing->idList != nullptr) allocator->Free(listing->idList);
  for (std::size_t i = 0; i < listing->entries.count(); ++i) {
    if (listing->entries[i].idList != nullptr) allocator->Free(listing->entries[i].idList);
  }
  delete listing;
}

void LetGoOfListing(FolderListing* listing) {
  if (listing->users.fetch_sub(1, std::memory_order_acq_rel) == kListingHandedOver + 1) {
    DestroyFolderListing(listing);
  }
}

}  // namespace quillo
