// explorer_host: a small stand-in for Explorer towards a context-menu handler, for tests and
// demos (32- and 64-bit). It creates the handler through COM from the registry, hands it a real
// "Shell IDList Array" data object made by the shell for the given paths, calls
// QueryContextMenu on a menu that already holds a few ordinary entries, and prints the result.
//
//   explorer_host [options] --context PATH [PATH...]   the context menu of objects of one folder
//   explorer_host [options] --drag TARGET PATH [...]    a right-button drop of PATHs onto TARGET
//
// Options:
//   --clsid {GUID}    the handler's class (default: the Quillo class of this build's bitness)
//   --flags N         uFlags of QueryContextMenu (default 0x4, CMF_EXPLORE; C syntax numbers)
//   --index N         indexMenu (default 2: after "Open" and "Explore")
//   --first N         idCmdFirst (default 100)
//   --winkey          hold the left Windows key down while QueryContextMenu runs
//   --help-text ID    after QueryContextMenu: GetCommandString(ID, GCS_HELPTEXTW)
//   --show SCRIPT     show the menu with TrackPopupMenu at 200,150 and replay SCRIPT
//   --shots DIR       folder of the screenshot handshake (shot: steps)
//   --rounds N        leak check: N create/Initialize/QueryContextMenu/destroy rounds (with
//                     --show each round also shows the menu and replays SCRIPT)
//   --step-ms N       pause before each step of SCRIPT (default 150)
//   --linger MS       after the menu closed, keep pumping messages for MS (threads the handler
//                     started finish; the script goes on)
//   --repeat N        context mode: the whole invocation N times in this process
//   --case KIND:SCRIPT  a soak case (repeatable); with --rounds the rounds cycle through the
//                     cases in order. KIND: menu (context menu shown with SCRIPT), drop (the
//                     --drop-case drop shown with SCRIPT), defaultonly (QueryContextMenu with
//                     CMF_DEFAULTONLY, as a double-click asks), winkey (Windows key held),
//                     nodata (Initialize with a data object that has no "Shell IDList Array"),
//                     virtualdrop (a drop of the Control Panel, not a file-system object),
//                     queryonly (QueryContextMenu, then the menu destroyed without being shown)
//   --drop-case TARGET SOURCE  what drop and virtualdrop cases drop onto
//   --warm N          leak check: the "warm" figures after N rounds (default 1)
//   --settle MS       leak check: pump messages for MS before the "after" figures (threads the
//                     handler started end)
//   --animation on|off  set the menu animation (this session only) before the first invocation;
//                     after every invocation the leak check prints "after-call animation=on|off"
//   --cursor X,Y      put the cursor there before the handler is initialised
//   --cabinet TITLE ITEMS  an Explorer folder window stand-in: a top-level window of class
//                     "CabinetWClass" titled TITLE whose list view holds ITEMS ('|' between them)
//   --hung-cabinet TITLE ITEMS MS  the same window on a thread of its own that does not answer
//                     messages for MS milliseconds after the window is made
//   --file-dialog     a dialog box (class "#32770") with a file-name box (1148) and an OK button
//                     is the foreground window when the handler is initialised; at the end
//                     prints "dialog name=\"...\" ok=N" (its box and how often OK was pressed)
//   --latency         while the menu is up, time how long a message posted to the menu thread
//                     every 5 ms waits to be handled; prints "latency max_ms=N samples=N
//                     outside_fill_ms=N outside_opening_ms=N outside_opening_tick=N" (how long
//                     the thread was blocked, in all, outside the handler's WM_INITMENUPOPUP and
//                     outside the opening of a level), and "level n=N fill_ms=F shown_ms=S
//                     items=N" for every submenu the handler filled: WM_INITMENUPOPUP's own
//                     time and the time to its first drawn item (host_timing.h)
//   --walks PATH      before each invocation, time a bare FindFirstFileA walk and a bare shell
//                     enumeration of the folder PATH in this process: prints "walk raw_ms=F
//                     raw_entries=N shell_ms=F shell_entries=N"
//
// Test set-up commands (then nothing else runs):
//   explorer_host --write-setup-info INSTALL DATA   the setup information record (32-bit
//                     registry view, where Setup writes it) with DATA as custom data folder
//   explorer_host --remove-setup-info
//   explorer_host --write-shortcut LINK TARGET   a shell shortcut file LINK pointing at TARGET
//   explorer_host --write-options FILE [NAME=VALUE...]  an options file: the defaults with the
//                     named int32 fields, 16-bit fields (toolTipSpeed, toolTipsEnabled) or
//                     texts (startMenuFolder, alternateFileManager, includeExtensions) changed
//
// Paths are Windows paths or shell parsing names ("::{GUID}"). Output, one record per line,
// key=value fields, texts quoted with \t, \" and \\ escaped:
//   initialize hr=0x...            query hr=0x... code=N
//   item pos=N id=N type=string|separator text="..." data=0x... state=enabled|grayed
//        submenu=none|items:N bitmap=yes|no
//   help hr=0x... text="..."
//   msg name=WM_... wparam=0x... lparam=0x...   (while the menu is shown)
//   track result=N                 then the chosen command carried out as Explorer does:
//   invoke id=N hr=0x...           (an id of the handler's range: its InvokeCommand) or
//   invoke verb=NAME hr=0x...      (the host's "Open", "Explore", "Properties": offered to the
//   host-verb verb=NAME ok=0|1      handler by name, then ShellExecuteEx on the first path)
//   leak phase=before|warm|after gdi=N menus_alive=N private_bytes=N handles=N threads=N
//   await menus=N waited_ms=N
//   after-menu wndproc=restored|replaced animation=on|off   (after each shown menu)
//   menu x=N y=N items=N           (dump: every visible popup menu, left to right)
//   menuitem pos=N data=0x... submenu=yes|no break=yes|no text="..."
//   tooltip x=N y=N w=N h=N visible=yes|no   (dump: every window of class "QuilloToolTipWnd")
// SCRIPT: steps separated by ';': down, up, left, right, return, escape, key:VK, wait:MS,
// rest:MS (wait with the pointer kept where the last move put it, as hover needs),
// move:X,Y, click:X,Y, rclick:X,Y, item:POS (point at an entry of the top menu), click_item:POS, cancel,
// dump (list the visible popup menus), nested-query and nested-query:CODE (see NestedQuery),
// clipboard (print the clipboard's text), pmclick:M,P (middle click on item P of menu M),
// await:N (wait up to 10 s until N popup menus are visible), await-other:N (the same once the
// stand-in's menu has closed: menus of other threads), point:M,P, pclick:M,P and prclick:M,P (move to, click or
// right-click item P of the M-th visible popup menu from the left, 0 the host's menu),
// ppress:M,P (the left button pressed there and held: later moves drag), release (the left
// button let go where the pointer is),
// escape-menus (an Escape key posted to every visible popup menu: it reaches a menu of another
// thread without the keyboard focus), ctrl-down, ctrl-up, shift-down, shift-up,
// shot:NAME (write DIR/NAME.ready, then wait up to 30 s for DIR/NAME.done). The steps start on
// the first WM_ENTERIDLE of the menu loop, 150 ms apart. Exit code 0, or 2 for a usage error
// and 3 when the handler cannot be created or a path not parsed.
#include <windows.h>
#include <intrin.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <cstddef>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "host_timing.h"
#include "options_record.h"
#include "setup_info_record.h"
#include "system_colors.h"

using Microsoft::WRL::ComPtr;

namespace {

#ifdef _WIN64
constexpr wchar_t kDefaultClass[] = L"{5E2B7C14-64D0-4A6F-B3C8-1D92E07F4A65}";
#else
constexpr wchar_t kDefaultClass[] = L"{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}";
#endif

struct Options {
  std::wstring classId = kDefaultClass;
  UINT flags = CMF_EXPLORE;
  UINT index = 2;
  UINT first = 100;
  bool winKey = false;
  long helpTextId = -1;
  bool drag = false;
  std::string target;
  std::vector<std::string> paths;
  std::string script;
  bool show = false;
  std::string shots = ".";
  long rounds = 0;
  long stepMs = 150;
  long lingerMs = 0;
  long repeat = 1;
  bool latency = false;
  std::string walks;
  bool fileDialog = false;
  std::string cursor;
  std::string cabinetTitle;
  std::string cabinetItems;
  std::vector<std::string> cases;
  std::string dropTarget;
  std::string dropSource;
  long warm = 1;
  long settleMs = 0;
  std::string animation;
  bool noData = false;
  std::string hungTitle;
  std::string hungItems;
  long hungMs = 0;
};

std::string Quoted(const char* text) {
  std::string out = "\"";
  for (; *text; ++text) {
    if (*text == '\t') out += "\\t";
    else if (*text == '\r') out += "\\r";
    else if (*text == '\n') out += "\\n";
    else if (*text == '"' || *text == '\\') (out += '\\') += *text;
    else out += *text;
  }
  return out + "\"";
}

// Arguments are kept in UTF-8 (see Utf8Arguments), so that paths no code page holds arrive whole.
std::wstring Wide(const std::string& text) {
  wchar_t buffer[1024];
  if (!MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, buffer, 1024)) return L"";
  return buffer;
}

// The command line's arguments in UTF-8, read from its Unicode form.
std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> out;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return out;
  for (int i = 0; i < count; ++i) {
    char buffer[2048];
    if (!WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, buffer, sizeof buffer, nullptr, nullptr)) {
      buffer[0] = '\0';
    }
    out.push_back(buffer);
  }
  LocalFree(wide);
  return out;
}

// An absolute ID list for a path or parsing name, freed with CoTaskMemFree by the caller.
LPITEMIDLIST ParsePath(const std::string& path) {
  ComPtr<IShellFolder> desktop;
  LPITEMIDLIST list = nullptr;
  std::wstring wide = Wide(path);
  if (FAILED(SHGetDesktopFolder(&desktop)) ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &list, nullptr))) {
    std::printf("error parse path=%s\n", Quoted(path.c_str()).c_str());
    return nullptr;
  }
  return list;
}

// The shell's own data object for items of one folder, as Explorer passes a selection.
HRESULT SelectionDataObject(const std::vector<std::string>& paths, IDataObject** data) {
  std::vector<LPITEMIDLIST> lists;
  HRESULT result = E_FAIL;
  for (const std::string& path : paths) {
    LPITEMIDLIST list = ParsePath(path);
    if (!list) break;
    lists.push_back(list);
  }
  if (lists.size() == paths.size() && !lists.empty()) {
    ComPtr<IShellFolder> parent;
    LPCITEMIDLIST firstChild = nullptr;
    result = SHBindToParent(lists[0], IID_PPV_ARGS(&parent), &firstChild);
    if (SUCCEEDED(result)) {
      std::vector<LPCITEMIDLIST> children;
      for (LPITEMIDLIST list : lists) children.push_back(ILFindLastID(list));
      result = parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(),
                                     IID_IDataObject, nullptr, reinterpret_cast<void**>(data));
    }
  }
  for (LPITEMIDLIST list : lists) CoTaskMemFree(list);
  return result;
}

// A data object offering no format at all, as a selection the shell cannot describe.
class EmptyDataObject final : public IDataObject {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (riid != IID_IUnknown && riid != IID_IDataObject) return *object = nullptr, E_NOINTERFACE;
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  ULONG references_ = 1;
};

HMENU HostMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Open");
  AppendMenuA(menu, MF_STRING, 2, "Explore");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, 3, "Properties");
  return menu;
}

void PrintMenu(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int pos = 0; pos < count; ++pos) {
    char text[520] = "";
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_CHECKMARKS |
                 MIIM_STRING | MIIM_BITMAP;
    item.dwTypeData = text;
    item.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, pos, TRUE, &item)) continue;
    const bool separator = (item.fType & MFT_SEPARATOR) != 0;
    char submenu[32] = "none";
    if (item.hSubMenu) std::snprintf(submenu, sizeof submenu, "items:%d", GetMenuItemCount(item.hSubMenu));
    std::printf("item pos=%d id=%u type=%s text=%s data=0x%llx state=%s submenu=%s bitmap=%s\n", pos,
                item.wID, separator ? "separator" : "string", Quoted(text).c_str(),
                static_cast<unsigned long long>(item.dwItemData),
                (item.fState & MFS_GRAYED) ? "grayed" : "enabled", submenu,
                (item.hbmpUnchecked || item.hbmpChecked || item.hbmpItem) ? "yes" : "no");
  }
}

void HoldWindowsKey(bool down) { keybd_event(VK_LWIN, 0, down ? 0 : KEYEVENTF_KEYUP, 0); }

// ---- the leak check ---------------------------------------------------------------------

// Live GDI objects of this process, counted in the GDI handle table that the PEB points to
// (GetGuiResources reports 0 under Wine). Entries are 24 bytes; byte 14 is the object type,
// 0 for a free entry. A 32-bit process under Wine's WoW64 finds the table in the 64-bit PEB,
// reached through the 64-bit TEB whose address Wine keeps in the TEB's GdiBatchCount field.
// Null when there is no table.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const unsigned char* GdiHandleTable() {
  std::uint64_t table = 0;
#ifdef _WIN64
  const auto* peb = reinterpret_cast<const unsigned char*>(__readgsqword(0x60));
  std::memcpy(&table, peb + 0xF8, sizeof table);
#else
  const auto* peb = reinterpret_cast<const unsigned char*>(__readfsdword(0x30));
  std::uint32_t table32;
  std::memcpy(&table32, peb + 0x94, sizeof table32);
  table = table32;
  const std::uint32_t teb64 = __readfsdword(0xF70);
  if (table == 0 && teb64 != 0) {
    std::uint64_t peb64;
    std::memcpy(&peb64, reinterpret_cast<const unsigned char*>(teb64) + 0x60, sizeof peb64);
    if (peb64 != 0 && peb64 < 0x100000000ull) {
      std::memcpy(&table, reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(peb64)) + 0xF8,
                  sizeof table);
    }
  }
  if (table >= 0x100000000ull) return nullptr;
#endif
  return reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(table));
}
#pragma GCC diagnostic pop

long CountGdiObjects() {
  const unsigned char* table = GdiHandleTable();
  if (table == nullptr) return -1;
  long count = 0;
  for (std::size_t i = 0; i < 0x10000; ++i) count += table[24 * i + 14] != 0;
  return count;
}

// Committed private memory of the process, summed over its address space (Wine leaves the
// PrivateUsage counter at 0).
unsigned long long PrivateBytes() {
  unsigned long long total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

// ---- showing the menu -------------------------------------------------------------------

struct ShowState {
  HWND window = nullptr;
  HMENU menu = nullptr;
  bool scriptStarted = false;
  HANDLE scriptThread = nullptr;
  volatile LONG closed = 0;  // TrackPopupMenu has returned
  long stepMs = 150;
  std::string shots;
  ComPtr<IContextMenu2> menu2;
  const struct Options* options = nullptr;  // for nested-query
  CLSID classId{};
} g_show;

const char* MenuMessageName(UINT message) {
  switch (message) {
    case WM_ENTERMENULOOP: return "WM_ENTERMENULOOP";
    case WM_EXITMENULOOP: return "WM_EXITMENULOOP";
    case WM_INITMENUPOPUP: return "WM_INITMENUPOPUP";
    case WM_UNINITMENUPOPUP: return "WM_UNINITMENUPOPUP";
    case WM_MENUSELECT: return "WM_MENUSELECT";
    case WM_MEASUREITEM: return "WM_MEASUREITEM";
    case WM_DRAWITEM: return "WM_DRAWITEM";
    case WM_MENUCHAR: return "WM_MENUCHAR";
    case WM_COMMAND: return "WM_COMMAND";
    default: return nullptr;
  }
}

// Where the last move put the pointer (for rest:MS).
POINT g_pointer{0, 0};

void Input(DWORD flags, LONG x = 0, LONG y = 0) {
  g_pointer = POINT{x, y};
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

// Waits with the pointer resting where the last move put it. Wine reads the X pointer back
// into GetCursorPos once its own position is 100 ms old, and the X pointer stays where it was
// (Wine does not warp it while a menu is up): repeating the move keeps the cursor in place, as
// a real resting pointer is.
void Rest(DWORD ms) {
  constexpr DWORD kRepeatMs = 40;
  for (DWORD rested = 0; rested < ms; rested += kRepeatMs) {
    Input(0, g_pointer.x, g_pointer.y);
    Sleep(kRepeatMs);
  }
}

void Key(BYTE vk) {
  keybd_event(vk, 0, 0, 0);
  keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

void Click(LONG x, LONG y, DWORD down, DWORD up) {
  Input(0, x, y);
  Sleep(50);
  Input(down, x, y);
  Input(up, x, y);
}

void ScreenshotHandshake(const std::string& name) {
  const std::string base = g_show.shots + "\\" + name;
  HANDLE marker = CreateFileA((base + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  std::printf("shot name=%s\n", Quoted(name.c_str()).c_str());
  for (int waited = 0; waited < 300; ++waited) {
    if (GetFileAttributesA((base + ".done").c_str()) != INVALID_FILE_ATTRIBUTES) return;
    Sleep(100);
  }
  std::printf("shot name=%s timeout=yes\n", Quoted(name.c_str()).c_str());
}

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

// The visible popup menus (class "#32768") from left to right.
std::vector<std::pair<RECT, HMENU>> VisibleMenus() {
  std::vector<HWND> windows;
  EnumWindows(CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
  std::vector<std::pair<RECT, HMENU>> menus;
  for (HWND window : windows) {
    RECT rect;
    GetWindowRect(window, &rect);
    menus.push_back({rect, reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0))});
  }
  std::sort(menus.begin(), menus.end(), [](const auto& a, const auto& b) { return a.first.left < b.first.left; });
  return menus;
}

void DumpMenus() {
  for (const auto& [rect, menu] : VisibleMenus()) {
    const int count = GetMenuItemCount(menu);
    std::printf("menu x=%ld y=%ld items=%d\n", rect.left, rect.top, count);
    for (int pos = 0; pos < count; ++pos) {
      char text[520] = "";
      MENUITEMINFOA item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
      GetMenuItemInfoA(menu, pos, TRUE, &item);
      if (!(item.fType & MFT_OWNERDRAW)) GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
      std::printf("menuitem pos=%d data=0x%llx submenu=%s break=%s text=%s\n", pos,
                  static_cast<unsigned long long>(item.dwItemData), item.hSubMenu ? "yes" : "no",
                  (item.fType & MFT_MENUBARBREAK) ? "yes" : "no", Quoted(text).c_str());
    }
  }
  for (HWND tip = FindWindowExA(nullptr, nullptr, "QuilloToolTipWnd", nullptr); tip;
       tip = FindWindowExA(nullptr, tip, "QuilloToolTipWnd", nullptr)) {
    RECT rect;
    GetWindowRect(tip, &rect);
    std::printf("tooltip x=%ld y=%ld w=%ld h=%ld visible=%s\n", rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, IsWindowVisible(tip) ? "yes" : "no");
  }
}

// Waits up to 10 s until at least count popup menus are visible: a key sent while a level is
// still being filled would otherwise go to the level before it.
void AwaitMenus(int count) {
  const DWORD start = GetTickCount();
  while (static_cast<int>(VisibleMenus().size()) < count) {
    if (GetTickCount() - start > 10000 || g_show.closed) {
      std::printf("error step=await menus=%d missing=yes\n", count);
      return;
    }
    Sleep(10);
  }
  std::printf("await menus=%d waited_ms=%lu\n", count, GetTickCount() - start);
}

// Waits up to 10 s, once the stand-in's own menu has closed, until at least count popup menus of
// other threads are visible: an entry's own menu, which closes the stand-in's, may come late.
void AwaitOtherMenus(int count) {
  const DWORD start = GetTickCount();
  while (!g_show.closed || static_cast<int>(VisibleMenus().size()) < count) {
    if (GetTickCount() - start > 10000) {
      std::printf("error step=await-other menus=%d missing=yes\n", count);
      return;
    }
    Sleep(10);
  }
  std::printf("await-other menus=%d waited_ms=%lu\n", count, GetTickCount() - start);
}

void NestedQuery(long wanted);

// Prints the clipboard's text: "clipboard text=\"...\"" (CR and LF escaped), or "clipboard
// text=none", then its Unicode text in UTF-8: "clipboard unicode=\"...\"".
void PrintClipboard() {
  if (!OpenClipboard(nullptr)) return (void)std::printf("clipboard open=failed\n");
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (text == nullptr) {
    std::printf("clipboard text=none\n");
  } else {
    std::printf("clipboard text=%s\n", Quoted(std::string(text, strnlen(text, GlobalSize(data))).c_str()).c_str());
    GlobalUnlock(data);
  }
  // The Unicode text in UTF-8 (Wine makes one from CF_TEXT when the program set none).
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* unicode = wide != nullptr ? static_cast<const wchar_t*>(GlobalLock(wide)) : nullptr;
  if (unicode != nullptr) {
    std::string utf8(4 * wcsnlen(unicode, GlobalSize(wide) / sizeof(wchar_t)) + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, unicode,
                                           static_cast<int>(wcsnlen(unicode, GlobalSize(wide) / sizeof(wchar_t))),
                                           utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(length > 0 ? length : 0);
    std::printf("clipboard unicode=%s\n", Quoted(utf8.c_str()).c_str());
    GlobalUnlock(wide);
  }
  CloseClipboard();
}

void RunStep(const std::string& step) {
  static const struct { const char* name; BYTE vk; } kKeys[] = {
      {"down", VK_DOWN}, {"up", VK_UP}, {"left", VK_LEFT}, {"right", VK_RIGHT},
      {"return", VK_RETURN}, {"escape", VK_ESCAPE}};
  for (const auto& key : kKeys) {
    if (step == key.name) return Key(key.vk);
  }
  static const struct { const char* name; BYTE vk; DWORD flags; } kHeld[] = {
      {"ctrl-down", VK_CONTROL, 0}, {"ctrl-up", VK_CONTROL, KEYEVENTF_KEYUP},
      {"shift-down", VK_SHIFT, 0}, {"shift-up", VK_SHIFT, KEYEVENTF_KEYUP}};
  for (const auto& key : kHeld) {
    if (step == key.name) return keybd_event(key.vk, 0, key.flags, 0);
  }
  if (step == "dump") return DumpMenus();
  if (step == "nested-query") return NestedQuery(-1);
  if (step == "clipboard") return PrintClipboard();
  if (step.rfind("nested-query:", 0) == 0) return NestedQuery(std::atol(step.c_str() + 13));
  if (step.rfind("await:", 0) == 0) return AwaitMenus(std::atoi(step.c_str() + 6));
  if (step.rfind("await-other:", 0) == 0) return AwaitOtherMenus(std::atoi(step.c_str() + 12));
  if (step == "escape-menus") {
    std::vector<HWND> windows;
    EnumWindows(CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
      PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
      PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    }
    return;
  }
  if (step.rfind("point:", 0) == 0 || step.rfind("pclick:", 0) == 0 || step.rfind("prclick:", 0) == 0 ||
      step.rfind("pmclick:", 0) == 0 || step.rfind("ppress:", 0) == 0) {
    int m = 0, p = 0;
    std::sscanf(step.c_str() + step.find(':') + 1, "%d,%d", &m, &p);
    const auto menus = VisibleMenus();
    RECT r;
    if (m < 0 || m >= static_cast<int>(menus.size()) ||
        !GetMenuItemRect(nullptr, menus[static_cast<std::size_t>(m)].second, static_cast<UINT>(p), &r)) {
      std::printf("error step=%s missing=yes\n", Quoted(step.c_str()).c_str());
      return;
    }
    const LONG x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    if (step[1] == 'o') return Input(0, x, y);
    if (step[1] == 'p') {
      Input(0, x, y);
      Sleep(50);
      return Input(MOUSEEVENTF_LEFTDOWN, x, y);
    }
    if (step[1] == 'r') return Click(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    if (step[1] == 'm') return Click(x, y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    return Click(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  }
  const std::size_t colon = step.find(':');
  const std::string verb = step.substr(0, colon), arg = colon == std::string::npos ? "" : step.substr(colon + 1);
  long x = 0, y = 0;
  std::sscanf(arg.c_str(), "%ld,%ld", &x, &y);
  if (verb == "key") Key(static_cast<BYTE>(std::strtol(arg.c_str(), nullptr, 0)));
  else if (verb == "wait") Sleep(static_cast<DWORD>(x));
  else if (verb == "rest") Rest(static_cast<DWORD>(x));
  else if (verb == "move") Input(0, x, y);
  else if (verb == "click") Click(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  else if (verb == "rclick") Click(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  else if (verb == "cancel") PostMessageA(g_show.window, WM_CANCELMODE, 0, 0);
  else if (verb == "release") Input(MOUSEEVENTF_LEFTUP, g_pointer.x, g_pointer.y);
  else if (verb == "shot") ScreenshotHandshake(arg);
  else if (verb == "item" || verb == "click_item") {
    RECT r;
    if (GetMenuItemRect(nullptr, g_show.menu, static_cast<UINT>(x), &r)) {
      const LONG cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
      if (verb == "item") Input(0, cx, cy);
      else Click(cx, cy, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    }
  } else {
    std::printf("error step=%s\n", Quoted(step.c_str()).c_str());
  }
}

DWORD WINAPI ScriptThread(void* parameter) {
  const std::string script = *static_cast<std::string*>(parameter);
  std::size_t at = 0;
  while (at <= script.size()) {
    std::size_t end = script.find(';', at);
    if (end == std::string::npos) end = script.size();
    const std::string step = script.substr(at, end - at);
    at = end + 1;
    if (step.empty()) continue;
    Sleep(static_cast<DWORD>(g_show.stepMs));
    std::printf("step %s\n", Quoted(step.c_str()).c_str());
    RunStep(step);
  }
  // A script that leaves the menu open must not hang the run.
  for (int waited = 0; waited < 20 && !g_show.closed; ++waited) Sleep(100);
  if (!g_show.closed) PostMessageA(g_show.window, WM_CANCELMODE, 0, 0);
  return 0;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (host_timing::AnswerLatencyProbe(message)) return 0;
  if (const char* name = MenuMessageName(message)) {
    std::printf("msg name=%s wparam=0x%llx lparam=0x%llx\n", name,
                static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
  }
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !g_show.scriptStarted) {
    g_show.scriptStarted = true;
    std::printf("msg name=WM_ENTERIDLE first=yes\n");
    static std::string script;
    script = *reinterpret_cast<std::string*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    g_show.scriptThread = CreateThread(nullptr, 0, ScriptThread, &script, 0, nullptr);
  }
  // Explorer hands the owner-draw and popup messages of its menu to handlers that take them.
  if (g_show.menu2 && (message == WM_INITMENUPOPUP || message == WM_DRAWITEM ||
                       message == WM_MEASUREITEM)) {
    if (SUCCEEDED(g_show.menu2->HandleMenuMsg(message, wParam, lParam))) return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Dispatches this thread's messages for ms milliseconds, or until handle is signalled.
void PumpMessages(DWORD ms, HANDLE handle = nullptr) {
  const DWORD end = GetTickCount() + ms;
  for (;;) {
    const DWORD now = GetTickCount();
    if (ms != INFINITE && static_cast<LONG>(end - now) <= 0) return;
    const DWORD result = MsgWaitForMultipleObjects(handle ? 1 : 0, &handle, FALSE,
                                                   ms == INFINITE ? INFINITE : end - now, QS_ALLINPUT);
    if (handle && result == WAIT_OBJECT_0) return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool g_latency = false;

// The verbs of the host's own entries (HostMenu ids 1 to 3).
const char* HostVerb(int id) {
  static const char* const verbs[] = {"open", "explore", "properties"};
  return id >= 1 && id <= 3 ? verbs[id - 1] : nullptr;
}

// What Explorer does with the command its menu returned: an id of the handler's range goes to
// the handler's InvokeCommand; one of Explorer's own entries is first offered to the handler by
// verb name (the shell's menu offers a verb given by name to every handler) and then carried out
// by the shell on the first path. Prints "invoke id=N hr=0x..." or "invoke verb=NAME hr=0x..."
// and "host-verb verb=NAME ok=0|1".
void CarryOut(IContextMenu* handler, int chosen, UINT handlerIds) {
  const UINT first = g_show.options->first;
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.nShow = SW_SHOWNORMAL;
  const UINT id = static_cast<UINT>(chosen);
  if (chosen > 0 && id >= first && id < first + handlerIds) {
    info.lpVerb = MAKEINTRESOURCEA(id - first);
    std::printf("invoke id=%u hr=0x%08lx\n", id - first, static_cast<unsigned long>(handler->InvokeCommand(&info)));
    return;
  }
  const char* verb = HostVerb(chosen);
  if (verb == nullptr) return;
  info.lpVerb = verb;
  std::printf("invoke verb=%s hr=0x%08lx\n", verb, static_cast<unsigned long>(handler->InvokeCommand(&info)));
  const std::wstring wideVerb = Wide(verb), file = Wide(g_show.options->paths.front());
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = wideVerb.c_str();
  execute.lpFile = file.c_str();
  execute.nShow = SW_SHOWNORMAL;
  std::printf("host-verb verb=%s ok=%d\n", verb, ShellExecuteExW(&execute) ? 1 : 0);
}

int ShowMenu(IContextMenu* handler, HMENU menu, std::string& script, long lingerMs, UINT handlerIds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ExplorerHostWindow";
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  // One window for all rounds: creating and destroying X11 windows costs a second each.
  static HWND window = nullptr;
  if (!window) {
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "ExplorerHostWindow", "explorer_host", WS_POPUP | WS_VISIBLE, 0, 0,
                             640, 480, nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  if (!window) return -1;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&script));
  g_show.window = window;
  g_show.menu = menu;
  g_show.scriptStarted = false;
  g_show.closed = 0;
  handler->QueryInterface(IID_PPV_ARGS(&g_show.menu2));
  SetForegroundWindow(window);
  if (g_latency) {
    host_timing::StartLevelTiming(menu);
    host_timing::StartLatencyProbe(window);
  }
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 200, 150, 0, window, nullptr);
  std::printf("track result=%d\n", chosen);
  CarryOut(handler, chosen, handlerIds);
  if (g_latency) {
    host_timing::StopLatencyProbe();
    host_timing::StopLevelTiming();
  }
  PumpMessages(static_cast<DWORD>(lingerMs));
  BOOL animation = FALSE;
  SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
  std::printf("after-menu wndproc=%s animation=%s\n",
              GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(HostWindowProc)
                  ? "restored" : "replaced",
              animation ? "on" : "off");
  g_show.closed = 1;
  if (g_show.scriptThread) {
    PumpMessages(INFINITE, g_show.scriptThread);
    CloseHandle(g_show.scriptThread);
    g_show.scriptThread = nullptr;
  }
  g_show.menu2.Reset();
  return chosen;
}

// ---- an Explorer folder window ----------------------------------------------------------

void OpenCabinet(const std::string& title, const std::string& items) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CabinetWClass";
  RegisterClassA(&windowClass);
  HWND cabinet = CreateWindowExA(0, "CabinetWClass", title.c_str(), WS_OVERLAPPEDWINDOW, 700, 0, 300, 300,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
  HWND view = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_LIST, 0, 0, 280, 260, cabinet,
                              nullptr, windowClass.hInstance, nullptr);
  int index = 0;
  for (std::size_t at = 0; at <= items.size();) {
    std::size_t end = items.find('|', at);
    if (end == std::string::npos) end = items.size();
    std::string text = items.substr(at, end - at);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index++;
    item.pszText = text.data();
    SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    at = end + 1;
  }
}

// --hung-cabinet: the folder window on a thread of its own that stops answering for MS
// milliseconds once the window exists (an Explorer window whose thread is busy).
struct HungCabinet {
  std::string title, items;
  long ms = 0;
  HANDLE ready = nullptr;
} g_hung;

DWORD WINAPI HungCabinetThread(void*) {
  OpenCabinet(g_hung.title, g_hung.items);
  SetEvent(g_hung.ready);
  Sleep(static_cast<DWORD>(g_hung.ms));
  PumpMessages(100);
  return 0;
}

void OpenHungCabinet(const std::string& title, const std::string& items, long ms) {
  g_hung = HungCabinet{title, items, ms, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = CreateThread(nullptr, 0, HungCabinetThread, nullptr, 0, nullptr);
  WaitForSingleObject(g_hung.ready, 10000);
  if (thread) CloseHandle(thread);
}

// ---- a common file dialog as the invoking window ---------------------------------------

struct FileDialog {
  HWND window = nullptr;
  WNDPROC dialogProc = nullptr;
  int okPressed = 0;
} g_dialog;

LRESULT CALLBACK FileDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    ++g_dialog.okPressed;
    return 0;
  }
  return CallWindowProcA(g_dialog.dialogProc, window, message, wParam, lParam);
}

void OpenFileDialog() {
  g_dialog.window = CreateWindowExA(0, "#32770", "Open", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                    660, 20, 340, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 300, 24, g_dialog.window,
                  reinterpret_cast<HMENU>(1148), nullptr, nullptr);
  CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 44, 80, 24, g_dialog.window,
                  reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
  g_dialog.dialogProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(g_dialog.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FileDialogProc)));
  SetForegroundWindow(g_dialog.window);
}

void PrintFileDialog() {
  char name[MAX_PATH] = "";
  GetDlgItemTextA(g_dialog.window, 1148, name, sizeof name);
  std::printf("dialog name=%s ok=%d\n", Quoted(name).c_str(), g_dialog.okPressed);
}

// ---- test set-up: setup information and options file ----------------------------------

constexpr char kVendorKeyPath[] = "Software\\Larkwell";

int WriteSetupInfo(const char* installFolder, const char* dataFolder) {
  quillo::SetupInfoRecord record{};
  record.recordMarker = 1;
  record.customDataFolder = 1;
  std::snprintf(record.installFolder, sizeof record.installFolder, "%s", installFolder);
  std::snprintf(record.customDataPath, sizeof record.customDataPath, "%s", dataFolder);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVendorKeyPath, 0, nullptr, 0,
                      KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 3;
  }
  const LONG status = RegSetValueExA(key, quillo::kProductName, 0, REG_BINARY,
                                     reinterpret_cast<const BYTE*>(&record), sizeof record);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 3;
}

int RemoveSetupInfo() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKeyPath, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS) {
    return 0;
  }
  RegDeleteValueA(key, quillo::kProductName);
  RegCloseKey(key);
  return 0;
}

struct OptionField {
  const char* name;
  std::size_t offset;
};

#define QUILLO_FIELD(name) {#name, offsetof(quillo::OptionsRecord, name)}
constexpr OptionField kIntFields[] = {
    QUILLO_FIELD(includeHidden),     QUILLO_FIELD(multiColumn),         QUILLO_FIELD(menuDelay),
    QUILLO_FIELD(dragFoldersOnly),   QUILLO_FIELD(dragOpenTarget),      QUILLO_FIELD(recentEnabled),
    QUILLO_FIELD(recentCount),       QUILLO_FIELD(menuPosition),        QUILLO_FIELD(itemHeightAdd),
    QUILLO_FIELD(dragMoveToParent),  QUILLO_FIELD(favoritesEnabled),    QUILLO_FIELD(favoritesCount),
    QUILLO_FIELD(subOpenArea),       QUILLO_FIELD(subOpenAreaWidth),    QUILLO_FIELD(sizeInfoShown),
    QUILLO_FIELD(sizeInfoStartDisabled), QUILLO_FIELD(sizeUnits),       QUILLO_FIELD(includeSuperHidden),
    QUILLO_FIELD(includeAllExtensions), QUILLO_FIELD(recentSorted),     QUILLO_FIELD(recentClearAtLogon),
    QUILLO_FIELD(dragDeleteEmptyFolder)};
constexpr OptionField kShortFields[] = {QUILLO_FIELD(toolTipSpeed), QUILLO_FIELD(toolTipsEnabled)};
#undef QUILLO_FIELD

struct TextField {
  const char* name;
  char* (*text)(quillo::OptionsRecord&);
};

constexpr TextField kTextFields[] = {
    {"startMenuFolder", [](quillo::OptionsRecord& o) { return o.startMenuFolder; }},
    {"alternateFileManager", [](quillo::OptionsRecord& o) { return o.alternateFileManager; }},
    {"includeExtensions", [](quillo::OptionsRecord& o) { return o.includeExtensions; }}};

bool SetOption(quillo::OptionsRecord& options, const std::string& assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = assignment.substr(0, equals), value = assignment.substr(equals + 1);
  auto* bytes = reinterpret_cast<unsigned char*>(&options);
  for (const TextField& field : kTextFields) {
    if (name == field.name) {
      std::snprintf(field.text(options), quillo::kPathSize, "%s", value.c_str());
      return true;
    }
  }
  for (const OptionField& field : kIntFields) {
    if (name == field.name) {
      const std::int32_t number = static_cast<std::int32_t>(std::strtol(value.c_str(), nullptr, 0));
      std::memcpy(bytes + field.offset, &number, sizeof number);
      return true;
    }
  }
  for (const OptionField& field : kShortFields) {
    if (name == field.name) {
      const std::uint16_t number = static_cast<std::uint16_t>(std::strtol(value.c_str(), nullptr, 0));
      std::memcpy(bytes + field.offset, &number, sizeof number);
      return true;
    }
  }
  return false;
}

int WriteOptionsFile(const char* path, const std::vector<std::string>& assignments) {
  quillo::OptionsRecord options{};
  quillo::InitOptions(options, quillo::ReadSystemColors());
  for (const std::string& assignment : assignments) {
    if (!SetOption(options, assignment)) return 2;
  }
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, &options, sizeof options, &written, nullptr);
  CloseHandle(file);
  return ok && written == sizeof options ? 0 : 3;
}

// A shell shortcut at linkPath pointing at target (Unicode paths).
int WriteShortcut(const std::string& linkPath, const std::string& target) {
  OleInitialize(nullptr);
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  const bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
                     SUCCEEDED(link->SetPath(Wide(target).c_str())) && SUCCEEDED(link.As(&file)) &&
                     SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
  file.Reset();
  link.Reset();
  OleUninitialize();
  return saved ? 0 : 3;
}

// Runs a set-up command when the arguments name one; -1 otherwise.
int RunSetUpCommand(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "--write-setup-info" && argc == 4) return WriteSetupInfo(argv[2], argv[3]);
  if (command == "--remove-setup-info" && argc == 2) return RemoveSetupInfo();
  if (command == "--write-shortcut" && argc == 4) return WriteShortcut(argv[2], argv[3]);
  if (command == "--write-options" && argc >= 3) {
    return WriteOptionsFile(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  return -1;
}

// ---- one invocation ---------------------------------------------------------------------

struct Invocation {
  ComPtr<IContextMenu> handler;
  HMENU menu = nullptr;
  HRESULT query = E_FAIL;
};

// Creates the handler, initialises it and fills a fresh host menu; false when creation fails.
bool Invoke(const Options& options, CLSID classId, Invocation& run, bool print) {
  ComPtr<IShellExtInit> init;
  HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&init));
  if (FAILED(result)) {
    std::printf("error create hr=0x%08lx\n", static_cast<unsigned long>(result));
    return false;
  }
  ComPtr<IDataObject> data;
  LPITEMIDLIST target = options.drag ? ParsePath(options.target) : nullptr;
  if (options.noData) {
    data.Attach(new EmptyDataObject);
  } else if ((options.drag && !target) || FAILED(SelectionDataObject(options.paths, &data))) {
    CoTaskMemFree(target);
    return false;
  }
  result = init->Initialize(target, data.Get(), nullptr);
  CoTaskMemFree(target);
  if (print) std::printf("initialize hr=0x%08lx\n", static_cast<unsigned long>(result));
  init.As(&run.handler);
  run.menu = HostMenu();
  if (options.winKey) HoldWindowsKey(true);
  result = run.handler ? run.handler->QueryContextMenu(run.menu, options.index, options.first,
                                                       options.first + 0x7FFF, options.flags)
                       : E_NOINTERFACE;
  if (options.winKey) HoldWindowsKey(false);
  run.query = result;
  if (print) {
    std::printf("query hr=0x%08lx code=%lu\n", static_cast<unsigned long>(result),
                static_cast<unsigned long>(HRESULT_CODE(result)));
  }
  return true;
}

// What Explorer does while it builds the shell's own context menu of an object: it creates every
// registered handler and asks it to add its entries. Runs on the script thread, as Explorer
// runs it on the thread that shows that menu. With a wanted code it asks again every 200 ms
// until the handler's code is that one, for up to 15 s. Prints "nested query code=N
// quillo=yes|no waited_ms=N".
void NestedQuery(long wanted) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const DWORD start = GetTickCount();
  for (;;) {
    Invocation run;
    if (!Invoke(*g_show.options, g_show.classId, run, false)) break;
    bool quillo = false;
    for (int pos = 0; pos < GetMenuItemCount(run.menu); ++pos) {
      char text[260] = "";
      GetMenuStringA(run.menu, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
      quillo = quillo || std::strstr(text, "Quillo") != nullptr;
    }
    DestroyMenu(run.menu);
    const long code = static_cast<long>(HRESULT_CODE(run.query));
    if (wanted < 0 || code == wanted || GetTickCount() - start > 15000) {
      std::printf("nested query code=%ld quillo=%s waited_ms=%lu\n", code, quillo ? "yes" : "no",
                  GetTickCount() - start);
      break;
    }
    Sleep(200);
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

void PrintHelpText(IContextMenu* handler, long id) {
  wchar_t text[300];
  text[0] = L'\0';
  const HRESULT result = handler->GetCommandString(static_cast<UINT_PTR>(id), GCS_HELPTEXTW, nullptr,
                                                   reinterpret_cast<char*>(text), 300);
  char narrow[600] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  std::printf("help hr=0x%08lx text=%s\n", static_cast<unsigned long>(result), Quoted(narrow).c_str());
}

// Submenus handed out by the handler, checked after the host menu is destroyed.
void CollectSubmenus(HMENU menu, std::vector<HMENU>& submenus) {
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    if (HMENU sub = GetSubMenu(menu, pos)) submenus.push_back(sub);
  }
}

// The module holding a thread's start address ("?" when unknown).
std::string ThreadModule(DWORD threadId) {
  using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryThread>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
  HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
  void* start = nullptr;
  if (thread != nullptr && query != nullptr) query(thread, 9, &start, sizeof start, nullptr);
  if (thread != nullptr) CloseHandle(thread);
  HMODULE module = nullptr;
  char name[MAX_PATH] = "?";
  if (start != nullptr && GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                             static_cast<const char*>(start), &module)) {
    GetModuleFileNameA(module, name, sizeof name);
  }
  const char* base = std::strrchr(name, '\\');
  return base ? base + 1 : name;
}

// Threads of this process (a worker that never ends keeps its stack committed); with
// byModule, one "leak thread-start" line per module their start addresses lie in.
long CountThreads(bool byModule = false) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  long count = 0;
  std::vector<std::string> modules;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
    ++count;
    if (byModule) modules.push_back(ThreadModule(entry.th32ThreadID));
  }
  CloseHandle(snapshot);
  std::sort(modules.begin(), modules.end());
  for (std::size_t i = 0; i < modules.size();) {
    const std::size_t j = std::upper_bound(modules.begin(), modules.end(), modules[i]) - modules.begin();
    std::printf("leak thread-start module=%s count=%zu\n", modules[i].c_str(), j - i);
    i = j;
  }
  return count;
}

// Kernel handles of the process, found by probing the handle values (Wine reports no count).
long CountHandles() {
  long count = 0;
  DWORD flags;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
    count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
  }
  return count;
}

void PrintLeakFigures(const char* phase, const std::vector<HMENU>& submenus) {
  int alive = 0;
  for (HMENU menu : submenus) alive += IsMenu(menu) ? 1 : 0;
  std::printf("leak phase=%s gdi=%ld menus_alive=%d private_bytes=%llu handles=%ld threads=%ld\n",
              phase, CountGdiObjects(), alive, PrivateBytes(), CountHandles(),
              CountThreads(std::strcmp(phase, "after") == 0));
}

// Shows that the figures see a leak: one GDI object coming and going, and 1000 small heap
// blocks of 256 bytes (as 1000 rounds leaking one ID list each would leave).
void PrintCalibration() {
  const long before = CountGdiObjects();
  HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
  const long during = CountGdiObjects();
  DeleteObject(font);
  const unsigned long long bytesBefore = PrivateBytes();
  std::vector<void*> blocks;
  for (int i = 0; i < 1000; ++i) blocks.push_back(CoTaskMemAlloc(256));
  const unsigned long long bytesDuring = PrivateBytes();
  for (void* block : blocks) CoTaskMemFree(block);
  std::printf("leak calibration created=1 counted=%ld released=%ld heap_blocks=1000x256 private_growth=%llu\n",
              during - before, during - CountGdiObjects(), bytesDuring - bytesBefore);
}

bool MenuAnimation() {
  BOOL animation = FALSE;
  SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
  return animation != FALSE;
}

// A --case argument whose KIND is one of the soak cases.
bool KnownCase(const std::string& soakCase) {
  const std::string kind = soakCase.substr(0, soakCase.find(':'));
  for (const char* known : {"menu", "drop", "defaultonly", "winkey", "nodata", "virtualdrop", "queryonly"}) {
    if (kind == known) return true;
  }
  return false;
}

// The options of one round: the round's soak case applied to the run's options.
Options RoundOptions(const Options& options, long round) {
  Options run = options;
  if (options.cases.empty()) return run;
  const std::string& soakCase = options.cases[static_cast<std::size_t>(round) % options.cases.size()];
  const std::size_t colon = soakCase.find(':');
  const std::string kind = soakCase.substr(0, colon);
  run.script = colon == std::string::npos ? "" : soakCase.substr(colon + 1);
  run.show = kind == "menu" || kind == "drop";
  if (kind == "drop" || kind == "virtualdrop") {
    run.drag = true;
    run.target = options.dropTarget;
    run.paths = {kind == "drop" ? options.dropSource : "::{21EC2020-3AEA-1069-A2DD-08002B30309D}"};
  }
  if (kind == "defaultonly") run.flags = CMF_DEFAULTONLY;
  run.winKey = kind == "winkey";
  run.noData = kind == "nodata";
  return run;
}

int RunLeakCheck(const Options& options, CLSID classId) {
  std::vector<HMENU> submenus;
  PrintCalibration();
  PrintLeakFigures("before", submenus);
  for (long round = 0; round < options.rounds; ++round) {
    const Options roundOptions = RoundOptions(options, round);
    Invocation run;
    if (!Invoke(roundOptions, classId, run, false)) return 3;
    CollectSubmenus(run.menu, submenus);
    if (roundOptions.show && run.handler) {
      std::string script = roundOptions.script;
      ShowMenu(run.handler.Get(), run.menu, script, roundOptions.lingerMs,
               SUCCEEDED(run.query) ? HRESULT_CODE(run.query) : 0);
    }
    DestroyMenu(run.menu);
    run.handler.Reset();
    if (!options.animation.empty()) std::printf("after-call animation=%s\n", MenuAnimation() ? "on" : "off");
    if (round + 1 == options.warm) PrintLeakFigures("warm", submenus);
  }
  PumpMessages(static_cast<DWORD>(options.settleMs));
  PrintLeakFigures("after", submenus);
  std::printf("leak rounds=%ld submenus_seen=%zu\n", options.rounds, submenus.size());
  return 0;
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    auto number = [&](auto& out) { out = static_cast<std::remove_reference_t<decltype(out)>>(std::strtol(argv[++i], nullptr, 0)); };
    if (arg == "--clsid" && hasValue) options.classId = Wide(argv[++i]);
    else if (arg == "--flags" && hasValue) number(options.flags);
    else if (arg == "--index" && hasValue) number(options.index);
    else if (arg == "--first" && hasValue) number(options.first);
    else if (arg == "--help-text" && hasValue) number(options.helpTextId);
    else if (arg == "--rounds" && hasValue) number(options.rounds);
    else if (arg == "--step-ms" && hasValue) number(options.stepMs);
    else if (arg == "--cabinet" && i + 2 < argc) {
      options.cabinetTitle = argv[++i];
      options.cabinetItems = argv[++i];
    }
    else if (arg == "--hung-cabinet" && i + 3 < argc) {
      options.hungTitle = argv[++i];
      options.hungItems = argv[++i];
      options.hungMs = std::atol(argv[++i]);
    }
    else if (arg == "--linger" && hasValue) number(options.lingerMs);
    else if (arg == "--case" && hasValue && KnownCase(argv[i + 1])) options.cases.push_back(argv[++i]);
    else if (arg == "--drop-case" && i + 2 < argc) {
      options.dropTarget = argv[++i];
      options.dropSource = argv[++i];
    }
    else if (arg == "--warm" && hasValue) number(options.warm);
    else if (arg == "--settle" && hasValue) number(options.settleMs);
    else if (arg == "--animation" && hasValue) options.animation = argv[++i];
    else if (arg == "--repeat" && hasValue) number(options.repeat);
    else if (arg == "--latency") options.latency = true;
    else if (arg == "--walks" && hasValue) options.walks = argv[++i];
    else if (arg == "--file-dialog") options.fileDialog = true;
    else if (arg == "--cursor" && hasValue) options.cursor = argv[++i];
    else if (arg == "--winkey") options.winKey = true;
    else if (arg == "--show" && hasValue) options.show = true, options.script = argv[++i];
    else if (arg == "--shots" && hasValue) options.shots = argv[++i];
    else if (arg == "--context" || arg == "--drag") {
      options.drag = arg == "--drag";
      for (++i; i < argc; ++i) options.paths.push_back(argv[i]);
    } else {
      return false;
    }
  }
  if (options.drag) {
    if (options.paths.size() < 2) return false;
    options.target = options.paths.front();
    options.paths.erase(options.paths.begin());
  }
  return !options.paths.empty();
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (const int setUp = RunSetUpCommand(argc, argv); setUp >= 0) return setUp;
  Options options;
  std::vector<std::string> arguments = Utf8Arguments();
  std::vector<char*> utf8;
  for (std::string& argument : arguments) utf8.push_back(argument.data());
  if (!ParseArguments(static_cast<int>(utf8.size()), utf8.data(), options)) {
    std::fprintf(stderr, "usage: explorer_host [options] --context PATH... | --drag TARGET PATH...\n");
    return 2;
  }
  CLSID classId;
  if (FAILED(CLSIDFromString(options.classId.c_str(), &classId))) return 2;
  g_show.shots = options.shots;
  g_show.stepMs = options.stepMs;
  g_show.options = &options;
  g_show.classId = classId;
  g_latency = options.latency;
  OleInitialize(nullptr);
  if (!options.animation.empty()) {
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0,
                          reinterpret_cast<void*>(static_cast<std::uintptr_t>(options.animation == "on")), 0);
    std::printf("animation start=%s\n", MenuAnimation() ? "on" : "off");
  }
  int exitCode = 0;
  if (options.rounds > 0) {
    exitCode = RunLeakCheck(options, classId);
  } else {
    if (options.fileDialog) OpenFileDialog();
    if (!options.cabinetTitle.empty()) OpenCabinet(options.cabinetTitle, options.cabinetItems);
    if (!options.hungTitle.empty()) OpenHungCabinet(options.hungTitle, options.hungItems, options.hungMs);
    long x = 0, y = 0;
    if (std::sscanf(options.cursor.c_str(), "%ld,%ld", &x, &y) == 2) SetCursorPos(x, y);
    for (long round = 0; round < options.repeat && exitCode == 0; ++round) {
      if (!options.walks.empty()) host_timing::PrintBaselineWalks(options.walks);
      Invocation run;
      if (!Invoke(options, classId, run, true)) {
        exitCode = 3;
      } else {
        PrintMenu(run.menu);
        if (options.helpTextId >= 0 && run.handler) PrintHelpText(run.handler.Get(), options.helpTextId);
        if (options.show && run.handler) ShowMenu(run.handler.Get(), run.menu, options.script, options.lingerMs,
                                                   SUCCEEDED(run.query) ? HRESULT_CODE(run.query) : 0);
        DestroyMenu(run.menu);
      }
    }
    if (options.fileDialog) PrintFileDialog();
  }
  OleUninitialize();
  return exitCode;
}
