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

const char* EntryText(const FolderListing& listing, const MenuEntry& entry) {
  switch (entry.name) {
    case kEntryEmpty: return "(Empty)";
    case kEntrySeparator: return "";
    case kEntryRecent: return "Recent";
    case kEntryFavorites: return "Favorites";
    case kEntryMore: return "More...";
    default: break;
  }
  if (entry.name < 0 || static_cast<std::size_t>(entry.name) >= listing.names.count()) return "";
  return listing.names.data() + entry.name;
}

MenuEntry* LookupItem(ItemId id, MenuEntry& root, FolderListing* const* levelListings,
                      int levelCount) {
  if (IsRootItemId(id)) return &root;
  const int level = ItemIdLevel(id);
  if (level < 0 || level >= levelCount) return nullptr;
  FolderListing* listing = levelListings[level];
  const int entry = ResolveItemIdEntry(
      id, levelCount, listing ? static_cast<int>(listing->entries.count()) : -1);
  return entry < 0 ? nullptr : &listing->entries[entry];
}

LPCITEMIDLIST LookupItemIdList(ItemId id, MenuEntry& root, FolderListing* const* levelListings,
                               int levelCount) {
  const MenuEntry* entry = LookupItem(id, root, levelListings, levelCount);
  return entry ? entry->idList : nullptr;
}

}  // namespace quillo
