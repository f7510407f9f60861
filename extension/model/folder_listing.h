// A listing: the filtered, sorted entries of one shell folder, of the recent items or of the
// favourites, with their names and display order. Shared by menu levels through the listing
// cache and counted by its users.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <span>

#include "growable_array.h"
#include "item_id.h"
#include "menu_entry.h"

namespace quillo {

constexpr std::size_t kListingInitialCapacity = 2048;

struct FolderListing {
  FolderListing()
      : entries(kListingInitialCapacity),
        names(kListingInitialCapacity),
        realNames(kListingInitialCapacity),
        order(kListingInitialCapacity) {}
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  LPITEMIDLIST idList = nullptr;  // the folder listed; null for the recent and favourites lists
  std::atomic<std::uint32_t> attributes{0};  // kind requested, then the folder's attributes
  std::atomic<std::int32_t> users{0};        // menu levels and threads holding the listing
  GrowableArray<MenuEntry> entries;
  GrowableArray<char> names;                 // each name with its NUL, then its real name's offset
  GrowableArray<wchar_t> realNames;          // each real (UTF-16) name with its NUL
  GrowableArray<std::int32_t> order;         // display order as entry indexes
  std::atomic<std::uint8_t> cancel{0};       // stop all work; a cancelled listing is not reused
  std::uint8_t probeOnly = 0;                // stop at the first entry that would be shown
  std::uint8_t probeSlowDrives = 0;          // a probe really enumerates slow drives
  std::uint8_t addParentEntry = 0;
  std::uint8_t addRecent = 0;
  std::uint8_t addFavorites = 0;
  IMalloc* allocator = nullptr;              // frees every list the listing owns
};

// Set in `users` when the cache lets go of a listing that a thread still holds (a shell call
// that does not return): the thread's last LetGoOfListing destroys it.
constexpr std::int32_t kListingHandedOver = 1 << 30;

// A new empty listing whose lists will be freed with allocator; null when memory is short.
FolderListing* CreateFolderListing(IMalloc* allocator);

// Frees the listing's list, every entry's list and the listing.
void DestroyFolderListing(FolderListing* listing);

// A thread's user less; the last holder of a handed-over listing destroys it. The listing is not
// touched after the call. Any thread.
void LetGoOfListing(FolderListing* listing);

// The listing's names as the menu side reads them (EntryText, EntryRealText).
inline std::span<const char> ListingNames(const FolderListing& listing) {
  return {listing.names.data(), listing.names.count()};
}
inline std::span<const wchar_t> ListingRealNames(const FolderListing& listing) {
  return {listing.realNames.data(), listing.realNames.count()};
}

}  // namespace quillo
