// Reading one recent or favourite file: a stored item ID list, the favourites' separator
// marker, or a file that is missing or not a well-formed list.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace quillo {

enum class StoredKind { kMissing, kInvalid, kSeparator, kList };

struct StoredIdList {
  StoredKind kind;
  LPITEMIDLIST list;  // kList only: allocated with the shell allocator, owned by the caller
};

// Reads "<name><index>.lcf" from the data folder. A file whose bytes are not exactly one
// well-formed list is kInvalid and never handed to the shell.
StoredIdList ReadStoredIdList(const char* dataFolder, const char* name, int index,
                              IMalloc* allocator);

}  // namespace quillo
