// The Win32 side of the menus on real USER32 menus: where the hook puts the extension's entry
// and its separators in Explorer's menu for each menuPosition and in drag mode, the record the
// action thread opens items with in this build's bitness, and closing the menus from another
// thread within a bounded time.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "extension_state.h"
#include "menu/explorer_menu_hook.h"
#include "menu/item_activation.h"
#include "menu/menu_session.h"

namespace quillo {
namespace {

constexpr std::uint32_t kRoot = 0xFFFF0064;

// "Open", "Explore", the entry, a separator and "Properties", as Explorer's menu looks when
// the entry was inserted at position 2.
HMENU ExplorerLikeMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Open");
  AppendMenuA(menu, MF_STRING, 2, "Explore");
  MENUITEMINFOA entry{};
  entry.cbSize = sizeof entry;
  entry.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING | MIIM_SUBMENU;
  entry.wID = 100;
  entry.dwItemData = kRoot;
  entry.hSubMenu = CreatePopupMenu();
  entry.dwTypeData = const_cast<char*>("Quillo");
  InsertMenuItemA(menu, 2, TRUE, &entry);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, 3, "Properties");
  return menu;
}

// The menu as text: "-" for separators, "Q" for the entry (which must keep its submenu).
std::string Layout(HMENU menu) {
  std::string layout;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, i, TRUE, &item);
    char text[64] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    if (!layout.empty()) layout += ' ';
    if (item.fType & MFT_SEPARATOR) layout += '-';
    else if (item.dwItemData == kRoot) layout += item.hSubMenu ? "Q" : "Q(no submenu)";
    else layout += text;
  }
  return layout;
}

std::string Placed(int menuPosition, int invocationMode) {
  ExtensionState& state = State();
  HMENU menu = ExplorerLikeMenu();
  state.ExplorerMenu = menu;
  state.RootItemData = kRoot;
  state.InvocationMode = invocationMode;
  state.Options.menuPosition = menuPosition;
  state.Metrics.ItemHeight = 20;
  state.Metrics.SeparatorHeight = 10;
  state.WindowsVersionCode = 610;
  state.WorkAreaRect = RECT{0, 0, 1024, 768};
  state.MonitorRect = state.WorkAreaRect;
  CWPSTRUCT message{};
  message.message = WM_INITMENUPOPUP;
  message.wParam = reinterpret_cast<WPARAM>(menu);
  OnExplorerMenuMessage(message);
  const std::string first = Layout(menu);
  OnExplorerMenuMessage(message);  // a second opening adds nothing
  EXPECT_EQ(Layout(menu), first);
  state.ExplorerMenu = nullptr;
  DestroyMenu(menu);
  return first;
}

TEST(EntryPlacement, EachMenuPositionWithItsSeparators) {
  EXPECT_EQ(Placed(0, 0), "Open Explore - Q - Properties");
  EXPECT_EQ(Placed(2, 0), "Q - Open Explore - Properties");
  EXPECT_EQ(Placed(3, 0), "Open Explore - Properties - Q");
  // Drag-and-drop menus are never moved, only framed.
  EXPECT_EQ(Placed(2, 1), "Open Explore - Q - Properties");
  // Near mouse with the cursor at the top of the work area: the menu opens downward from the
  // cursor, so the entry is nearest as the first item.
  SetCursorPos(300, 1);
  EXPECT_EQ(Placed(1, 0), "Q - Open Explore - Properties");
}

TEST(OpenItemRecord, OwnStructureSizeAndVerbs) {
  ITEMIDLIST empty{};
  const SHELLEXECUTEINFOW open = OpenItemRecord(&empty, L"C:\\", false);
  EXPECT_EQ(open.cbSize, sizeof(SHELLEXECUTEINFOW));
#ifdef _WIN64
  EXPECT_EQ(open.cbSize, 112u);  // the 32-bit size 60 is refused by a 64-bit shell
#else
  EXPECT_EQ(open.cbSize, 60u);
#endif
  EXPECT_EQ(open.fMask, static_cast<ULONG>(SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_DDEWAIT));
  EXPECT_EQ(open.lpVerb, nullptr);
  EXPECT_EQ(open.nShow, SW_SHOWNORMAL);
  EXPECT_STREQ(open.lpDirectory, L"C:\\");
  const SHELLEXECUTEINFOW explore = OpenItemRecord(&empty, L"C:\\", true);
  EXPECT_EQ(explore.fMask, static_cast<ULONG>(SEE_MASK_IDLIST | SEE_MASK_FLAG_DDEWAIT));
  EXPECT_STREQ(explore.lpVerb, L"explore");
}

// A menu owner window on a thread of its own: it either clears the "menus open" flag on
// WM_CANCELMODE, or keeps it set, or does not answer at all for a while (a busy thread).
struct OwnerThread {
  enum class Kind { kCloses, kIgnores, kHangs } kind;
  std::atomic<std::uint8_t> active{1};
  HWND window = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;

  explicit OwnerThread(Kind k) : kind(k) {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready, 5000);
  }
  ~OwnerThread() {
    PostMessageA(window, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(ready);
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerThread*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_CANCELMODE && self != nullptr && self->kind == Kind::kCloses) self->active = 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static DWORD WINAPI Run(void* parameter) {
    auto* self = static_cast<OwnerThread*>(parameter);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuilloTestMenuOwner";
    RegisterClassA(&windowClass);
    self->window = CreateWindowExA(0, "QuilloTestMenuOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(self->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetEvent(self->ready);
    if (self->kind == Kind::kHangs) Sleep(4000);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(self->window);
    return 0;
  }
};

struct CancelRun {
  OwnerThread* owner;
  DWORD limitMs;
  bool closed = false;
};

DWORD WINAPI RunCancel(void* parameter) {
  auto* run = static_cast<CancelRun*>(parameter);
  run->closed = CancelMenus(run->owner->window, run->owner->active, run->limitMs);
  return 0;
}

// True when CancelMenus came back within withinMs; closed tells what it reported.
bool CancelReturnsWithin(OwnerThread& owner, DWORD limitMs, DWORD withinMs, bool& closed) {
  CancelRun run{&owner, limitMs};
  HANDLE thread = CreateThread(nullptr, 0, RunCancel, &run, 0, nullptr);
  const bool returned = WaitForSingleObject(thread, withinMs) == WAIT_OBJECT_0;
  if (returned) CloseHandle(thread);  // else left behind: the process ends it
  closed = run.closed;
  return returned;
}

// Closing the menus from another thread (before an action, before an entry's shell menu, with
// the desktop locked) gives up after its limit when the menu thread does not close them, or
// does not answer at all.
TEST(CancelMenus, ClosesAnsweringMenusAndGivesUpOnOthersWithinItsLimit) {
  bool closed = false;
  OwnerThread closes(OwnerThread::Kind::kCloses);
  ASSERT_TRUE(CancelReturnsWithin(closes, 1000, 3000, closed));
  EXPECT_TRUE(closed);

  OwnerThread ignores(OwnerThread::Kind::kIgnores);
  EXPECT_TRUE(CancelReturnsWithin(ignores, 300, 3000, closed)) << "never gave up";
  EXPECT_FALSE(closed);

  OwnerThread hangs(OwnerThread::Kind::kHangs);
  EXPECT_TRUE(CancelReturnsWithin(hangs, 300, 2500, closed)) << "waited for a thread that does not answer";
  EXPECT_FALSE(closed);
}

}  // namespace
}  // namespace quillo
