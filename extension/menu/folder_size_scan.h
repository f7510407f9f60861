// FolderSizeScan: the size of a file, or the total size of everything below a folder, added
// into a menu entry's size while the menu may draw it, so the column shows the total growing.
// Runs on a submenu worker; stops within one directory entry when a stop flag is set.
#pragma once

#include <atomic>
#include <cstdint>

#include "menu_level.h"

namespace quillo {

struct SizeScan {
  std::uint64_t* total;                           // the entry's size, added to atomically
  const std::atomic<std::uint8_t>* stops[2];      // the listing's cancel, the level's workerAbort
  const MenuLevel* level;                         // the entry to repaint as the total grows
  int position;
};

// Adds the size under path (the real path) to *scan.total. A path without a trailing "\\" may name a file; with
// nested false a path that does not exist adds nothing. Hidden and system files count.
void FolderSizeScan(const wchar_t* path, const SizeScan& scan, bool nested);

// The size of a menu entry: *scan.total from 0 while the column shows it growing; the total
// found is returned. A scan a stop flag cut short leaves the entry not computed (kSizeNotComputed),
// so that a cached listing shown again gets the size computed anew instead of a part of it.
std::uint64_t ScanEntrySize(const wchar_t* path, const SizeScan& scan);

// An entry's size as the worker last wrote it (kSizeNotComputed before its scan).
std::uint64_t LoadEntrySize(MenuEntry& entry);

}  // namespace quillo
