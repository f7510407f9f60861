// CountThread: counts the files and folders of the folder a tool tip describes, directly inside
// and in total, with their sizes, off the menu thread. After every folder it finishes, at any
// depth, it publishes the running totals and sets countersReady so the tip repaints; it stops
// within one directory entry once its tip is gone. Every count has figures of its own, so a tip
// never shows what a count for another item found.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "item_id_list.h"
#include "menu/core/tool_tip_text.h"
#include "options_record.h"

namespace quillo {

// The tip window's refresh timer; the count thread posts it once more when it ends.
constexpr UINT_PTR kToolTipTimerId = 0x1000;
constexpr UINT kToolTipTimerMs = 100;

// What the counting publishes for the menu thread, without locks.
struct CountResults {
  std::atomic<int> files[2]{};
  std::atomic<int> folders[2]{};
  std::atomic<int> hiddenProtected[2]{};
  std::atomic<std::uint64_t> sizes[2]{};
  std::atomic<int> objects{-1};          // a virtual container's object count; -1 otherwise
  std::atomic<int> countersReady{0};     // 1: new figures to show

  void Publish(const FolderCounts& counts);
  FolderCounts Snapshot() const;
};

// One folder count: the tip's window (null ends the count), where the figures go, whether
// hidden items count, and the counters of this count.
struct FolderCount {
  const std::atomic<HWND>* window;
  CountResults* results;
  bool includeAllExtensions;
  FolderCounts counts;
};

// Counts below path into count.counts (depth 0 for the folder itself, 1 for everything below)
// and publishes them at the end of the folder. Hidden items are skipped unless
// includeAllExtensions; hidden system items are counted apart and not as files or folders.
void CountFolder(const wchar_t* path, int depth, FolderCount& count);

// One count, shared by the tip that shows it and the thread that counts: each holds a
// reference, and the last to let go frees it, so neither ever reads what the other freed. It
// carries its own copy of the item and its own figures.
struct CountJob {
  std::atomic<int> references{1};  // the tip's; the thread takes one more when it starts
  wchar_t path[kPathSize] = {};     // the real path
  OwnedIdList item;
  std::uint32_t attributes = 0;
  bool includeAllExtensions = false;
  // The tip's window (a placeholder while it is being made); null ends the count.
  std::atomic<HWND> window{nullptr};
  CountResults results;
};

// Starts the thread on the job (handle closed at once); it holds its own reference until it
// ends. False when no thread could be had (the caller keeps its reference).
bool StartCountThread(CountJob* job);

// Drops one reference; the last frees the job.
void ReleaseCountJob(CountJob* job);

}  // namespace quillo
