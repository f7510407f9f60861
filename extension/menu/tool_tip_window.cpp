#include "tool_tip_window.h"

#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <new>
#include <span>

#include "count_thread.h"
#include "directory_search.h"
#include "extension_state.h"
#include "menu/core/sub_open_area.h"
#include "menu/core/tool_tip_layout.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "shell_item.h"
#include "win_geometry.h"

namespace quillo {
namespace {

constexpr char kClassName[] = "QuilloToolTipWnd";
constexpr UINT kResizeMessage = WM_USER + 1;  // wParam width, lParam height
constexpr int kTextLeft = 3;
constexpr int kTextTop = 2;
constexpr int kLineGap = 2;
constexpr std::size_t kNameSize = 520;

using BrushHandle = OwnedHandle<HBRUSH, DeleteGdiObject>;
using PenHandle = OwnedHandle<HPEN, DeleteGdiObject>;

// While ShowToolTip prepares a tip the window is this placeholder, so that a count started
// before the window exists keeps going.
const HWND kPlaceholder = reinterpret_cast<HWND>(1);

struct ToolTipState {
  std::atomic<HWND> window{nullptr};
  OwnedIdList item;         // what the tip describes (a shortcut's target)
  std::uint32_t flags = 0;  // its attributes; the desktop counts as outside the file system
  ToolTipLines lines{};
  // The name and folder lines' texts in their real (Unicode) form, drawn instead of the ANSI
  // texts after the lines' prefixes.
  wchar_t realName[kNameSize] = {};
  wchar_t realFolder[kPathSize] = {};
  CountJob* count = nullptr;  // the count of this tip's folder, one reference held
  bool placeLeft = false;  // a deeper menu is open to the right of the one under the cursor
  POINT cursor{};
  HINSTANCE instance = nullptr;
  BrushHandle brush;
  PenHandle pen;
};

// Static storage, never destroyed: nothing of it may run at process exit.
ToolTipState& Tip() {
  alignas(ToolTipState) static unsigned char storage[sizeof(ToolTipState)];
  static ToolTipState* tip = new (storage) ToolTipState();
  return *tip;
}

bool IsWindowHandle(HWND window) { return window != nullptr && window != kPlaceholder; }

// A line as drawn: the name and folder lines with their real texts, the others as they are.
void RealLine(const ToolTipState& tip, int index, wchar_t (&out)[kToolTipLineSize + kNameSize]) {
  const char* line = tip.lines[index];
  if (index > 1) {
    if (MultiByteToWideChar(CP_ACP, 0, line, -1, out, kToolTipLineSize) == 0) out[0] = L'\0';
    return;
  }
  std::size_t length = 0;
  for (; length < kToolTipPrefixLength && line[length] != '\0'; ++length) out[length] = line[length];
  lstrcpynW(out + length, index == 0 ? tip.realName : tip.realFolder, kNameSize);
}

void TraceLines(const char* event) {
  const ToolTipLines& lines = Tip().lines;
  MenuTrace("tooltip %s [%s] [%s] [%s] [%s] [%s] [%s] [%s]", event, lines[0], lines[1], lines[2],
            lines[3], lines[4], lines[5], lines[6]);
}

// Lines 3 to 6 from the figures this tip's count published last.
void RefreshCountLines(const CountResults& counts) {
  ToolTipState& tip = Tip();
  const int objects = counts.objects.load(std::memory_order_relaxed);
  if (objects >= 0) {
    SetObjectCountLines(tip.lines, objects);
  } else {
    SetFolderCountLines(tip.lines, counts.Snapshot());
  }
  TraceLines("counts");
}

void Paint(HWND window) {
  ToolTipState& tip = Tip();
  const ExtensionState& state = State();
  RECT client;
  GetClientRect(window, &client);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  if (tip.brush) SelectObject(dc, tip.brush.get());
  if (tip.pen) SelectObject(dc, tip.pen.get());
  if (state.StatusFont) SelectObject(dc, state.StatusFont.get());
  constexpr UINT kFormat = DT_EXPANDTABS | DT_NOPREFIX;
  int shown[kToolTipLineCount], rights[kToolTipLineCount], n = 0;
  for (int i = 0; i < kToolTipLineCount; ++i) {
    if (!ToolTipLineShown(tip.lines, i)) continue;
    RECT r{kTextLeft, kTextTop, client.right, client.bottom};
    wchar_t line[kToolTipLineSize + kNameSize];
    RealLine(tip, i, line);
    DrawTextW(dc, line, -1, &r, kFormat | DT_CALCRECT);
    shown[n] = i;
    rights[n++] = r.right;
  }
  const int textHeight = state.Metrics.TextHeight;
  const ToolTipSize size = ToolTipSizeFor(std::span<const int>(rights, n), textHeight);
  if (size.width > client.right || size.height > client.bottom) {
    RestoreDC(dc, saved);
    EndPaint(window, &paint);
    PostMessageA(window, kResizeMessage, static_cast<WPARAM>(size.width), size.height);
    return;
  }
  Rectangle(dc, 0, 0, client.right, client.bottom);
  int y = kTextTop;
  for (int k = 0; k < n; ++k) {
    RECT r{kTextLeft, y, client.right, client.bottom};
    wchar_t line[kToolTipLineSize + kNameSize];
    RealLine(tip, shown[k], line);
    DrawTextW(dc, line, -1, &r, kFormat);
    y += textHeight + kLineGap;
    if (k == 0 || k == 2) y += kLineGap;  // name, then path and type, then the figures
  }
  RestoreDC(dc, saved);
  EndPaint(window, &paint);
}

void Resize(HWND window, int width, int height) {
  const ToolTipState& tip = Tip();
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  const Point at = ToolTipPosition(ToPoint(tip.cursor), ToolTipSize{width, height},
                                   tip.placeLeft,
                                   Rect{desktop.left, desktop.top, desktop.right, desktop.bottom});
  SetWindowPos(window, HWND_TOPMOST, at.x, at.y, width, height, SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, FALSE);
  MenuTrace("tooltip placed x=%d y=%d w=%d h=%d", at.x, at.y, width, height);
}

void Tick(HWND window) {
  ToolTipState& tip = Tip();
  if (tip.count != nullptr &&
      tip.count->results.countersReady.exchange(0, std::memory_order_acq_rel) == 1) {
    // Repainted by the menu loop's own dispatch: pumping here would take the menu's input.
    RefreshCountLines(tip.count->results);
    InvalidateRect(window, nullptr, FALSE);
  } else if (!State().OwnMenuActive) {
    HideToolTip();
  } else if (GetWindow(window, GW_HWNDPREV) != nullptr) {
    // Raised again only when a window (a deeper menu) came above it: under Wine each raise costs
    // the menu thread tens of milliseconds, even for a window already on top.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK ToolTipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(window); return 0;
    case WM_TIMER:
      if (wParam == kToolTipTimerId) Tick(window);
      return 0;
    case kResizeMessage:
      Resize(window, static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

// A deeper menu open to the right of the menu under the cursor puts the tip left of it.
bool DeeperMenuToTheRight(POINT cursor) {
  HWND under = WindowFromPoint(cursor);
  HWND above = under != nullptr ? GetWindow(under, GW_HWNDPREV) : nullptr;
  RECT underRect, aboveRect;
  return above != nullptr && GetWindowRect(under, &underRect) &&
         GetWindowRect(above, &aboveRect) && aboveRect.left > underRect.left;
}

// The item the tip describes: a shortcut's target, else a copy of the entry's list.
OwnedIdList DescribedItem(const MenuEntry& entry, std::uint32_t flags) {
  if (flags & SFGAO_LINK) {
    if (LPITEMIDLIST target = ResolveShortcut(Shell(), Desktop(), entry.idList)) {
      return OwnedIdList(ListAllocator(), target);
    }
  }
  return OwnedIdList(ListAllocator(), CopyIdList(ListAllocator(), entry.idList));
}

// The name and folder lines, and the item's real path for the counts and the size.
void SetItemTexts(ToolTipState& tip, wchar_t (&path)[kPathSize]) {
  char name[kNameSize], folderPath[kPathSize];
  LPCITEMIDLIST item = AsIdList(tip.item.get());
  GetDisplayName(Desktop(), item, name, sizeof name, SHGDN_INFOLDER);
  GetDisplayName(Desktop(), item, tip.realName, kNameSize, SHGDN_INFOLDER);
  OwnedIdList parent(ListAllocator(), CopyIdList(ListAllocator(), tip.item.get()));
  if (parent) ParentIdList(parent.get());
  GetDisplayName(Desktop(), AsIdList(parent.get()), folderPath, sizeof folderPath,
                 SHGDN_FORPARSING);
  GetDisplayName(Desktop(), AsIdList(parent.get()), tip.realFolder, kPathSize, SHGDN_FORPARSING);
  SetItemLines(tip.lines, name, folderPath, tip.flags);
  GetDisplayName(Desktop(), item, path, kPathSize, SHGDN_FORPARSING);
  MenuTrace("tooltip names [%s] [%s]", TraceText(tip.realName).text, TraceText(tip.realFolder).text);
}

void StartFolderCount(ToolTipState& tip, const wchar_t* path) {
  auto* job = new (std::nothrow) CountJob{};
  if (job == nullptr) return;
  lstrcpynW(job->path, path, kPathSize);
  job->item = OwnedIdList(ListAllocator(), CopyIdList(ListAllocator(), tip.item.get()));
  job->attributes = tip.flags;
  job->includeAllExtensions = State().Options.includeAllExtensions != 0;
  job->window.store(kPlaceholder, std::memory_order_release);
  if (!StartCountThread(job)) {
    ReleaseCountJob(job);
    return;
  }
  tip.count = job;
}

// The tip lets go of its count: the thread stops at its next check.
void EndFolderCount(ToolTipState& tip) {
  if (tip.count == nullptr) return;
  tip.count->window.store(nullptr, std::memory_order_release);
  ReleaseCountJob(tip.count);
  tip.count = nullptr;
}

void SetFileSize(ToolTipState& tip, const wchar_t* path) {
  if (!IsAbsolutePath(path)) return;
  WIN32_FIND_DATAW found;
  if (FindHandle(FindFirstFileW(path, &found))) SetFileSizeLine(tip.lines, FoundSize(found));
}

}  // namespace

void RegisterToolTipClass(HINSTANCE instance) {
  ToolTipState& tip = Tip();
  if (tip.instance != nullptr) return;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ToolTipWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return;
  tip.instance = instance;
  tip.brush.reset(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
  tip.pen.reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT)));
}

void ReleaseToolTipClass() {
  ToolTipState& tip = Tip();
  if (tip.instance == nullptr) return;
  UnregisterClassA(kClassName, tip.instance);
  tip.instance = nullptr;
  tip.brush.reset();
  tip.pen.reset();
}

void HoverTimerTick() {
  ExtensionState& state = State();
  if (!state.OwnMenuActive) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const RECT& r = state.SelectedItemRect;
  const Rect selected{r.left, r.top, r.right, r.bottom};
  const Point at{cursor.x, cursor.y};
  HoverInput in;
  in.cursorInSelection = selected.Contains(at);
  in.leftOfSubOpenArea =
      state.Options.subOpenArea != 0 &&
      LeftOfSubOpenArea(at, selected, EffectiveSubOpenAreaWidth(state.Options.subOpenAreaWidth,
                                                                state.Metrics.ItemHeight));
  const ItemId highlighted = state.HighlightedItemId;
  in.nothingHighlighted = highlighted == kNoItemId;
  in.toolTipSpeed = state.Options.toolTipSpeed;
  switch (HoverTick(in, state.HoverTicks)) {
    case HoverAction::kShow:
      if (const MenuEntry* entry = LookupEntry(highlighted)) ShowToolTip(*entry);
      break;
    case HoverAction::kHide: HideToolTip(); break;
    case HoverAction::kNone: break;
  }
}

void ShowToolTip(const MenuEntry& entry) {
  ToolTipState& tip = Tip();
  if (entry.idList == nullptr || tip.instance == nullptr) return;
  HideToolTip();
  if (entry.name < 0) return;  // separators, "(Empty)" and the navigation entries
  tip.window.store(kPlaceholder, std::memory_order_release);
  tip.flags = entry.attributes;
  if (IsEmptyIdList(entry.idList)) tip.flags &= ~static_cast<std::uint32_t>(SFGAO_FILESYSTEM);
  tip.item = DescribedItem(entry, tip.flags);
  wchar_t path[kPathSize];
  SetItemTexts(tip, path);
  if (tip.flags & SFGAO_FOLDER) {
    StartFolderCount(tip, path);
  } else {
    SetFileSize(tip, path);
  }
  GetCursorPos(&tip.cursor);
  tip.placeLeft = DeeperMenuToTheRight(tip.cursor);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "", WS_POPUP,
                                tip.cursor.x, tip.cursor.y, 1, 1, nullptr, nullptr, tip.instance,
                                nullptr);
  tip.window.store(window, std::memory_order_release);
  if (tip.count != nullptr) tip.count->window.store(window, std::memory_order_release);
  TraceLines(window != nullptr ? "shown" : "failed");
  if (window == nullptr) {
    EndFolderCount(tip);
    tip.item.reset();
    return;
  }
  SetTimer(window, kToolTipTimerId, kToolTipTimerMs, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void HideToolTip() {
  ToolTipState& tip = Tip();
  EndFolderCount(tip);
  HWND window = tip.window.exchange(nullptr, std::memory_order_acq_rel);
  if (window == nullptr) return;
  if (IsWindowHandle(window)) {
    KillTimer(window, kToolTipTimerId);
    DestroyWindow(window);
    MenuTrace("tooltip hidden");
  }
  tip.item.reset();
}

}  // namespace quillo
