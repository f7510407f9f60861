#include "submenu_worker.h"

#include <objbase.h>

#include "child_prober.h"
#include "extension_state.h"
#include "folder_size_scan.h"
#include "menu/core/scan_path.h"
#include "menu_trace.h"
#include "shell_item.h"

namespace quillo {
namespace {

bool Stopped(const MenuLevel& level) {
  return level.workerAbort.load(std::memory_order_relaxed) != 0 ||
         level.listing->cancel.load(std::memory_order_relaxed) != 0;
}

// Decides every entry of the level whose children are still unknown. An entry that has them
// gets a popup, unless the menu thread attached one meanwhile (the entry was highlighted; that
// popup may be open and must not be replaced). A stop request is honoured within the prober's
// poll even while a probe runs; that probe leaves the entry undecided. Returns the number of
// probes made.
int ChildrenPass(MenuLevel& level) {
  ChildProber prober(State().Model);
  const LevelLayoutInput layout = LevelLayout(level);
  int probes = 0;
  for (int j = 0; !Stopped(level); ++j) {
    const std::optional<LevelItem> item = LevelItemAt(layout, j);
    if (!item) break;
    MenuEntry& entry = level.listing->entries[static_cast<std::size_t>(item->entryIndex)];
    if (LoadChildState(entry) >= 0) continue;
    ++probes;
    const int hasChildren = prober.Probe(entry.idList, level.listing->cancel, level.workerAbort);
    if (hasChildren < 0) break;
    std::int8_t expected = -1;
    std::atomic_ref<std::int8_t> childState(entry.childState);
    if (hasChildren == 0) {
      childState.store(0, std::memory_order_release);
    } else if (childState.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) {
      SetEntrySubmenu(level, item->position, CreatePopupMenu(), level.workerSubmenus);
    } else {
      childState.store(1, std::memory_order_release);
    }
    RedrawEntry(level, item->position);
    MenuTraceEntry("probe position=%d child=%d", item->position, LoadChildState(entry));
  }
  return probes;
}

// Computes the size of every shown shell item whose size is not known yet (a cached listing
// keeps the sizes of earlier menus). The size is zeroed before the scan so the column shows the
// growing total. Returns the number of scans made.
int SizesPass(MenuLevel& level) {
  Microsoft::WRL::ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(&desktop))) return 0;
  int scans = 0;
  const LevelLayoutInput layout = LevelLayout(level);
  const SizeScan base{nullptr, {&level.listing->cancel, &level.workerAbort}, &level, 0};
  for (int j = 0; !Stopped(level); ++j) {
    const std::optional<LevelItem> item = LevelItemAt(layout, j);
    if (!item) break;
    MenuEntry& entry = level.listing->entries[static_cast<std::size_t>(item->entryIndex)];
    if (entry.name < 0 || entry.idList == nullptr || LoadEntrySize(entry) != kSizeNotComputed) {
      continue;
    }
    wchar_t path[kPathSize];
    if (GetDisplayName(desktop.Get(), entry.idList, path, kPathSize, SHGDN_FORPARSING) !=
            kNameObtained ||
        !IsAbsolutePath(path)) {
      std::atomic_ref<std::uint64_t>(entry.size).store(0, std::memory_order_relaxed);
      continue;  // a virtual item: no size
    }
    ++scans;
    SizeScan scan = base;
    scan.total = &entry.size;
    scan.position = item->position;
    const std::uint64_t total = ScanEntrySize(path, scan);
    const bool stopped = LoadEntrySize(entry) == kSizeNotComputed;
    RedrawEntry(level, item->position);
    MenuTraceEntry("size position=%d bytes=%llu%s path=%s", item->position,
                   static_cast<unsigned long long>(total), stopped ? " stopped" : "",
                   TraceText(path).text);
  }
  return scans;
}

DWORD WINAPI SubmenuWorker(void* parameter) {
  auto& level = *static_cast<MenuLevel*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
  FolderListing* listing = level.listing;
  const int probes = listing != nullptr ? ChildrenPass(level) : 0;
  const int scans = listing != nullptr && level.showSizes ? SizesPass(level) : 0;
  MenuTrace("worker-end probes=%d scans=%d stopped=%d", probes, scans,
            listing != nullptr && Stopped(level) ? 1 : 0);
  if (listing != nullptr) LetGoOfListing(listing);
  PostMessageA(State().MenuOwnerWindow, State().CursorMsg, 0, 0);
  if (SUCCEEDED(com)) CoUninitialize();
  // The level may be destroyed from here on.
  level.workerRunning.store(0, std::memory_order_release);
  return 0;
}

}  // namespace

void StartWorker(MenuLevel& level) {
  level.workerAbort.store(0, std::memory_order_relaxed);
  level.workerRunning.store(1, std::memory_order_release);
  if (level.listing != nullptr) level.listing->users.fetch_add(1, std::memory_order_acq_rel);
  HANDLE thread = CreateThread(nullptr, 0, SubmenuWorker, &level, 0, nullptr);
  if (thread != nullptr) {
    CloseHandle(thread);
    return;
  }
  if (level.listing != nullptr) LetGoOfListing(level.listing);
  level.workerRunning.store(0, std::memory_order_release);
  PostMessageA(State().MenuOwnerWindow, State().CursorMsg, 0, 0);
}

}  // namespace quillo
