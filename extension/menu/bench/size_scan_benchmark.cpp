// Prints, for a folder tree, the median over ROUNDS interleaved rounds in one process (after a
// warm-up round) of: a bare recursive FindFirstFileW walk adding up the file sizes, the size
// column's scan of the tree (ScanEntrySize) and the tool tip's count of it (CountFolder); then
// how long each of the two takes to end after a stop request made in the middle of its walk
// (median and longest).
//   size_scan_benchmark ROUNDS FOLDER
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "baseline_walks.h"
#include "menu/count_thread.h"
#include "menu/folder_size_scan.h"

using namespace quillo;
using quillo::bench::Median;
using quillo::bench::NowMs;

namespace {

// One walk of the tree by the product, on this thread or on a thread of its own.
struct Walk {
  std::wstring path;
  bool count = false;  // the tool tip's count rather than the size scan
  std::uint64_t total = 0;
  std::atomic<std::uint8_t> cancel{0};
  std::atomic<std::uint8_t> abort{0};
  std::atomic<HWND> tip{reinterpret_cast<HWND>(1)};  // any non-null window: the tip is shown
  CountResults results;
  MenuLevel level;  // no window: nothing is repainted

  void Run() {
    if (count) {
      FolderCount folder{&tip, &results, true, {}};
      CountFolder(path.c_str(), 0, folder);
      total = folder.counts.sizes[0] + folder.counts.sizes[1];
    } else {
      ScanEntrySize(path.c_str(), SizeScan{&total, {&cancel, &abort}, &level, 0});
    }
  }
  void Stop() {
    cancel.store(1, std::memory_order_relaxed);
    tip.store(nullptr, std::memory_order_release);
  }
};

DWORD WINAPI WalkThread(void* parameter) {
  static_cast<Walk*>(parameter)->Run();
  return 0;
}

double Timed(Walk& walk) {
  const double start = NowMs();
  walk.Run();
  return NowMs() - start;
}

// Starts the walk on a thread, asks it to stop after `after` ms, returns how long it took to end
// after that; -1 when it ended before the request.
double StopDelay(bool count, const std::wstring& path, DWORD after) {
  Walk walk;
  walk.path = path;
  walk.count = count;
  HANDLE thread = CreateThread(nullptr, 0, WalkThread, &walk, 0, nullptr);
  if (thread == nullptr) return -1;
  double delay = -1;
  if (WaitForSingleObject(thread, after) == WAIT_TIMEOUT) {
    const double requested = NowMs();
    walk.Stop();
    WaitForSingleObject(thread, INFINITE);
    delay = NowMs() - requested;
  }
  CloseHandle(thread);
  return delay;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const int rounds = argc == 3 ? std::atoi(argv[1]) : 0;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: size_scan_benchmark ROUNDS FOLDER\n");
    return 2;
  }
  wchar_t folder[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, argv[2], -1, folder, MAX_PATH) == 0) return 2;
  const std::wstring path = folder;
  std::vector<double> raw, scan, count, scanStops, countStops;
  std::int64_t entries = 0;
  std::uint64_t rawBytes = 0, scanBytes = 0, countBytes = 0;
  for (int round = -1; round < rounds; ++round) {  // round -1: warm-up, not counted
    wchar_t buffer[4096];
    std::swprintf(buffer, 4096 - MAX_PATH, L"%ls", path.c_str());
    Walk sizes, counts;
    sizes.path = counts.path = path;
    counts.count = true;
    // Every other round in the opposite order, so that no walk always follows the same one.
    for (int step = 0; step < 3; ++step) {
      switch (round % 2 == 0 ? step : 2 - step) {
        case 0: {
          rawBytes = 0;
          const double start = NowMs();
          entries = quillo::bench::RawTreeWalk(buffer, std::wcslen(buffer), &rawBytes);
          raw.push_back(NowMs() - start);
          break;
        }
        case 1: scan.push_back(Timed(sizes)); break;
        default: count.push_back(Timed(counts)); break;
      }
    }
    scanBytes = sizes.total;
    countBytes = counts.total;
    if (round < 0) raw.clear(), scan.clear(), count.clear();
  }
  const double rawMs = Median(raw), scanMs = Median(scan), countMs = Median(count);
  std::printf("size-scan entries=%lld bytes=%llu raw_ms=%.1f scan_ms=%.1f scan/raw=%.2f "
              "count_ms=%.1f count/raw=%.2f (scan bytes %llu, count bytes %llu; medians of %d)\n",
              static_cast<long long>(entries), static_cast<unsigned long long>(rawBytes), rawMs,
              scanMs, rawMs > 0 ? scanMs / rawMs : 0.0, countMs, rawMs > 0 ? countMs / rawMs : 0.0,
              static_cast<unsigned long long>(scanBytes), static_cast<unsigned long long>(countBytes),
              rounds);
  for (int round = 0; round < rounds; ++round) {
    // Requests spread over the first half of a walk.
    const DWORD after = static_cast<DWORD>(rawMs / 2 * (round + 1) / rounds) + 1;
    scanStops.push_back(StopDelay(false, path, after));
    countStops.push_back(StopDelay(true, path, after));
  }
  auto longest = [](const std::vector<double>& values) {
    double most = -1;
    for (double v : values) most = v > most ? v : most;
    return most;
  };
  std::printf("stop scan_median_ms=%.1f scan_longest_ms=%.1f count_median_ms=%.1f "
              "count_longest_ms=%.1f (-1: the walk ended before the request; %d requests each)\n",
              Median(scanStops), longest(scanStops), Median(countStops), longest(countStops),
              rounds);
  return 0;
}
