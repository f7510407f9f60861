// What the item model needs from the extension's process-wide state. The extension entry fills
// one ModelContext at every initialisation and keeps it alive while menus are open; enumeration
// threads read it without locks, so the fields changed while menus are open are atomic.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>

#include "favorites_list.h"
#include "options_record.h"
#include "recent_list.h"

namespace quillo {

// Asked every 20 ms while a listing is awaited: false ends the wait (the user moved on).
using KeepWaitingFn = bool (*)(void* cookie);

// Starts an enumeration thread (CreateThread with default stack and flags); null when no thread
// could be had.
using StartThreadFn = HANDLE (*)(LPTHREAD_START_ROUTINE routine, void* parameter);

struct ModelContext {
  const OptionsRecord* options = nullptr;  // the options in effect
  const char* dataFolder = nullptr;        // DataFolder holding the MRU and FAV files
  IMalloc* allocator = nullptr;            // shell allocator; every ID list of the model
  IShellFolder* desktop = nullptr;         // desktop folder of the menu thread
  std::atomic<std::int32_t> invocationMode{0};  // 0 context menu, above 0 drag, -1 inert
  std::atomic<std::int32_t> itemsPerColumn{0};  // menu rows that fit the monitor
  // The wait for a listing ends when the pointer leaves this rectangle (screen coordinates) or
  // a mouse button goes down; keepWaiting, when set, decides instead.
  const RECT* selectedItemRect = nullptr;
  KeepWaitingFn keepWaiting = nullptr;
  void* keepWaitingCookie = nullptr;
  // How enumeration threads are started; null: CreateThread. Tests stand in a failing start.
  StartThreadFn startThread = nullptr;
  std::atomic<HIMAGELIST> systemImageList{nullptr};  // refreshed by every icon lookup
  RecentList recent;
  FavoritesList favorites;
};

}  // namespace quillo
