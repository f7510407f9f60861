// The listings of the open menus, shared between menu levels: acquired when a submenu opens
// (enumerating on a thread of its own while the menu thread waits), released when a level
// closes, emptied when the menus close.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "folder_listing.h"
#include "growable_array.h"
#include "model_context.h"

namespace quillo {

class ListingCache {
 public:
  explicit ListingCache(ModelContext& context) : context_(context), listings_(32) {}
  ListingCache(const ListingCache&) = delete;
  ListingCache& operator=(const ListingCache&) = delete;
  ~ListingCache() { Empty(); }

  // The listing for the entry with one more user, or null when the entry names nothing to list
  // or the user moved on (pointer left the entry, mouse button pressed) before it was complete.
  // addRecent and addFavorites are set only for the menu opened from the root entry.
  FolderListing* Acquire(const MenuEntry& entry, bool addRecent, bool addFavorites);

  // One user less; a listing without users is destroyed unless it lists a file-system ancestor
  // (a drive), which stays cached while the menus are open.
  void Release(FolderListing* listing);

  // Cancels every listing and waits, answering sent messages, until their threads have let go
  // or half a second has passed; destroys every listing no thread holds and hands the others
  // over to their threads.
  void Empty();

  // Set after an option change so that cached listings are not reused.
  void Invalidate() { invalid_.store(1, std::memory_order_relaxed); }

  std::size_t count() const { return listings_.count(); }

 private:
  FolderListing* FindReusable(LPCITEMIDLIST idList);
  bool AnyHeld() const;

  ModelContext& context_;
  GrowableArray<FolderListing*> listings_;
  std::atomic<std::uint8_t> invalid_{0};
};

// Starts the enumeration thread for the listing (which takes its own user) and waits on the
// calling thread, polling every 20 ms, until it ends or the user moves on; then `cancel` is set
// and the thread finishes by itself. True when the listing is complete.
bool EnumerateAndWait(ModelContext& context, FolderListing& listing, LPCITEMIDLIST idList);

}  // namespace quillo
