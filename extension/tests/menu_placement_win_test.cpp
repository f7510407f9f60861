// The Win32 side of the menus on real USER32 menus: where the hook puts the extension's entry
// and its separators in Explorer's menu for each menuPosition and in drag mode, and the record
// the action thread opens items with in this build's bitness.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "extension_state.h"
#include "menu/explorer_menu_hook.h"
#include "menu/item_activation.h"

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

}  // namespace
}  // namespace quillo
