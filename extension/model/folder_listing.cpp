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

MenuEntry* LookupItem(ItemId id, MenuEntry& root, FolderListing* const* levelListings,
                      int levelCount) {
  if (IsRootItemId(id)) return &root;
  const int level = ItemIdLevel(id);
  if (level < 0 || level >= levelCount || levelListings[level] == nullptr) return nullptr;
  FolderListing& listing = *levelListings[level];
  const int entry = ItemIdEntry(id);
  return static_cast<std::size_t>(entry) < listing.entries.count() ? &listing.entries[entry]
                                                                    : nullptr;
}

LPCITEMIDLIST LookupItemIdList(ItemId id, MenuEntry& root, FolderListing* const* levelListings,
                               int levelCount) {
  const MenuEntry* entry = LookupItem(id, root, levelListings, levelCount);
  return entry ? entry->idList : nullptr;
}

}  // namespace quillo
