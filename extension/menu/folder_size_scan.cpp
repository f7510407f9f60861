#include "folder_size_scan.h"

#include "directory_search.h"
#include "menu/core/size_format.h"

namespace quillo {
namespace {

static_assert(kSizeUnknown == kSizeNotComputed);

// The total grows in steps the menu thread may read at any time.
void AddToTotal(const SizeScan& scan, std::uint64_t bytes) {
  std::atomic_ref<std::uint64_t>(*scan.total).fetch_add(bytes, std::memory_order_relaxed);
}

void SetTotal(const SizeScan& scan, std::uint64_t bytes) {
  std::atomic_ref<std::uint64_t>(*scan.total).store(bytes, std::memory_order_relaxed);
}

bool StopRequested(const SizeScan& scan) {
  return scan.stops[0]->load(std::memory_order_relaxed) != 0 ||
         scan.stops[1]->load(std::memory_order_relaxed) != 0;
}

// Every 4096 directory entries seen by all scans together, the entry is repainted.
constexpr int kRedrawEvery = 4096;

void CountProgress(const SizeScan& scan) {
  if (Levels().scanProgress.fetch_add(1, std::memory_order_relaxed) % kRedrawEvery == 0) {
    RedrawEntry(*scan.level, scan.position);
  }
}

}  // namespace

std::uint64_t LoadEntrySize(MenuEntry& entry) {
  return std::atomic_ref<std::uint64_t>(entry.size).load(std::memory_order_relaxed);
}

std::uint64_t ScanEntrySize(const wchar_t* path, const SizeScan& scan) {
  SetTotal(scan, 0);
  FolderSizeScan(path, scan, false);
  const std::uint64_t total = std::atomic_ref<std::uint64_t>(*scan.total).load(std::memory_order_relaxed);
  if (StopRequested(scan)) SetTotal(scan, kSizeNotComputed);
  return total;
}

void FolderSizeScan(const wchar_t* path, const SizeScan& scan, bool nested) {
  if (!nested && !EndsWithSeparator(path)) {
    WIN32_FIND_DATAW found;
    if (!FindHandle(FindFirstFileW(path, &found))) return;
    if (!IsDirectory(found)) {
      AddToTotal(scan, FoundSize(found));
      return;
    }
  }
  wchar_t base[kScanPathSize];
  if (!DirectoryBase(base, kScanPathSize, path)) return;
  SearchDirectory(base, [&](const WIN32_FIND_DATAW& found) {
    if (StopRequested(scan)) return false;
    if (IsSubDirectory(found)) {
      wchar_t child[kScanPathSize];
      if (JoinScanPath(child, kScanPathSize, base, found.cFileName)) {
        FolderSizeScan(child, scan, true);
      }
    } else if (!IsDirectory(found)) {
      AddToTotal(scan, FoundSize(found));
    }
    CountProgress(scan);
    return true;
  });
}

}  // namespace quillo
