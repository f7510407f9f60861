// What the stand-in measures from outside the handler for the benchmarks, so that nothing the
// handler writes is part of the figures:
//  - for every submenu the handler fills: how long its WM_INITMENUPOPUP took to return (the
//    listing wait and the fill) and how long until Windows drew its first item (the items
//    measured and the popup shown);
//  - the longest time the menu thread did not handle a posted message, in all, outside those
//    WM_INITMENUPOPUP calls (the listing wait, which the user ends by moving on) and outside the
//    opening of a level (until its first item is drawn);
//  - in the same process, the baselines of a folder: a bare FindFirstFileA walk and a bare
//    shell enumeration.
#pragma once

#include <windows.h>

#include <string>

namespace host_timing {

// Hooks this thread's WM_INITMENUPOPUP and WM_DRAWITEM for popups other than root.
void StartLevelTiming(HMENU root);
// Unhooks and prints "level n=N fill_ms=F shown_ms=S items=N" for each submenu opened.
void StopLevelTiming();

// Every 5 ms, from a thread of its own, posts kLatencyMessage to window and times how long the
// window's thread takes to take it from its queue (the menu loop dispatches it to the window
// procedure, which calls AnswerLatencyProbe).
constexpr UINT kLatencyMessage = WM_APP + 0x51;
void StartLatencyProbe(HWND window);
// True (and the probe answered) for kLatencyMessage.
bool AnswerLatencyProbe(UINT message);
// Ends the probe (pumping this thread's messages meanwhile) and prints "latency max_ms=N
// samples=N outside_fill_ms=N outside_opening_ms=N outside_opening_tick=N": the longest block,
// the longest overlapping no WM_INITMENUPOPUP, the longest overlapping no opening of a level
// (WM_INITMENUPOPUP up to the level's first drawn item) and the GetTickCount at its start, to
// find it in the extension's trace.
void StopLatencyProbe();

// Prints "walk raw_ms=F raw_entries=N shell_ms=F shell_entries=N" for the folder.
void PrintBaselineWalks(const std::string& folder);

}  // namespace host_timing
