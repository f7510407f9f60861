#include "host_timing.h"

#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "baseline_walks.h"

using quillo::bench::NowMs;

namespace host_timing {
namespace {

struct LevelRecord {
  HMENU popup;
  double initStart;
  double initEnd;  // 0 while WM_INITMENUPOPUP runs
  double drawn;    // 0 until the first item is drawn
  int items;
};

struct Block {
  double start;
  double end;
  DWORD tick;  // GetTickCount at the start, the clock of the extension's trace
};

struct Timing {
  HMENU root = nullptr;
  HHOOK before = nullptr;
  HHOOK after = nullptr;
  std::vector<LevelRecord> levels;  // written by the menu thread only
  HWND window = nullptr;
  HANDLE latencyThread = nullptr;
  HANDLE answered = nullptr;        // set when the window procedure got kLatencyMessage
  volatile LONG stop = 0;
  std::vector<Block> blocks;        // written by the latency thread only
} g_timing;

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITMENUPOPUP &&
      reinterpret_cast<HMENU>(message->wParam) != g_timing.root) {
    g_timing.levels.push_back({reinterpret_cast<HMENU>(message->wParam), NowMs(), 0, 0, 0});
  } else if (code == HC_ACTION && message->message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message->lParam);
    for (LevelRecord& level : g_timing.levels) {
      if (draw->CtlType == ODT_MENU && level.popup == reinterpret_cast<HMENU>(draw->hwndItem) &&
          level.initEnd != 0 && level.drawn == 0) {
        level.drawn = NowMs();
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITMENUPOPUP) {
    for (auto level = g_timing.levels.rbegin(); level != g_timing.levels.rend(); ++level) {
      if (level->popup == reinterpret_cast<HMENU>(message->wParam) && level->initEnd == 0) {
        level->initEnd = NowMs();
        level->items = GetMenuItemCount(level->popup);
        break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A posted message, not a sent one: a thread that waits while answering sent messages still
// handles no input and paints nothing, and it must count as blocked.
DWORD WINAPI LatencyThread(void*) {
  while (!g_timing.stop) {
    const double start = NowMs();
    const DWORD tick = GetTickCount();
    if (!PostMessageA(g_timing.window, kLatencyMessage, 0, 0)) break;
    WaitForSingleObject(g_timing.answered, 10000);
    g_timing.blocks.push_back({start, NowMs(), tick});
    Sleep(5);
  }
  return 0;
}

// The block overlaps a level's WM_INITMENUPOPUP (listing wait and fill), or with whole, the
// opening of a level up to its first drawn item (Windows measuring the items and showing the
// popup as well).
bool DuringOpening(const Block& block, bool whole) {
  for (const LevelRecord& level : g_timing.levels) {
    double end = level.initEnd != 0 ? level.initEnd : block.end;
    if (whole && level.drawn != 0) end = level.drawn;
    if (block.start < end && block.end > level.initStart) return true;
  }
  return false;
}

}  // namespace

void StartLevelTiming(HMENU root) {
  g_timing.root = root;
  g_timing.levels.clear();
  g_timing.levels.reserve(4096);
  g_timing.before = SetWindowsHookExA(WH_CALLWNDPROC, BeforeMessage, nullptr, GetCurrentThreadId());
  g_timing.after = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
}

void StopLevelTiming() {
  if (g_timing.before) UnhookWindowsHookEx(g_timing.before);
  if (g_timing.after) UnhookWindowsHookEx(g_timing.after);
  g_timing.before = g_timing.after = nullptr;
  int n = 0;
  for (const LevelRecord& level : g_timing.levels) {
    std::printf("level n=%d fill_ms=%.1f shown_ms=%.1f items=%d\n", n++,
                level.initEnd != 0 ? level.initEnd - level.initStart : -1.0,
                level.drawn != 0 ? level.drawn - level.initStart : -1.0, level.items);
  }
}

bool AnswerLatencyProbe(UINT message) {
  if (message != kLatencyMessage) return false;
  if (g_timing.answered) SetEvent(g_timing.answered);
  return true;
}

void StartLatencyProbe(HWND window) {
  if (!g_timing.answered) g_timing.answered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  g_timing.window = window;
  g_timing.stop = 0;
  g_timing.blocks.clear();
  g_timing.blocks.reserve(1 << 16);
  g_timing.latencyThread = CreateThread(nullptr, 0, LatencyThread, nullptr, 0, nullptr);
}

void StopLatencyProbe() {
  if (!g_timing.latencyThread) return;
  g_timing.stop = 1;
  SetEvent(g_timing.answered);  // the menu loop has ended: its last message may wait for later
  while (MsgWaitForMultipleObjects(1, &g_timing.latencyThread, FALSE, INFINITE, QS_ALLINPUT) !=
         WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  CloseHandle(g_timing.latencyThread);
  g_timing.latencyThread = nullptr;
  double longest = 0, outsideFill = 0, outsideOpening = 0;
  DWORD tick = 0;
  for (const Block& block : g_timing.blocks) {
    const double took = block.end - block.start;
    if (took > longest) longest = took;
    if (took > outsideFill && !DuringOpening(block, false)) outsideFill = took;
    if (took > outsideOpening && !DuringOpening(block, true)) outsideOpening = took, tick = block.tick;
  }
  std::printf("latency max_ms=%lu samples=%u outside_fill_ms=%lu outside_opening_ms=%lu "
              "outside_opening_tick=%lu\n",
              static_cast<unsigned long>(longest), static_cast<unsigned>(g_timing.blocks.size()),
              static_cast<unsigned long>(outsideFill), static_cast<unsigned long>(outsideOpening),
              tick);
}

void PrintBaselineWalks(const std::string& folder) {
  IShellFolder* desktop = nullptr;
  LPITEMIDLIST list = nullptr;
  wchar_t wide[MAX_PATH];
  if (FAILED(SHGetDesktopFolder(&desktop)) ||
      !MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH) ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr))) {
    std::printf("error walk path=%s\n", folder.c_str());
    if (desktop) desktop->Release();
    return;
  }
  double start = NowMs();
  const int raw = quillo::bench::RawWalk(folder);
  const double rawMs = NowMs() - start;
  start = NowMs();
  const int shell = quillo::bench::ShellWalk(desktop, list);
  const double shellMs = NowMs() - start;
  std::printf("walk raw_ms=%.1f raw_entries=%d shell_ms=%.1f shell_entries=%d\n", rawMs, raw,
              shellMs, shell);
  CoTaskMemFree(list);
  desktop->Release();
}

}  // namespace host_timing
