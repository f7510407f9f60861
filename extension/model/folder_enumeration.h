// Filling a listing: the recent items, the favourites or the children of a shell folder, then
// the parent entry, "Recent", "Favorites" and the paging of long menus.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "folder_listing.h"
#include "model_context.h"

namespace quillo {

// Runs on the calling thread, which must have COM initialised. The listing's idList and request
// fields are set. Returns whether the listing has entries (in probe mode: whether the folder has
// something to show). Stops at the next child once `cancel` is set.
bool EnumerateListing(ModelContext& context, FolderListing& listing);

// 1 when the folder has at least one entry that would be shown, else 0. Slow drives count as
// having content without being touched. Runs on the calling thread (any apartment).
int ChildProbe(ModelContext& context, LPCITEMIDLIST idList);

}  // namespace quillo
