// ExtensionState: everything the extension keeps per process. There is one extension menu per
// Explorer process at a time; the COM objects themselves hold nothing but a reference count.
// Members written on Explorer's menu thread and read by other threads are atomic.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "colors.h"
#include "data_folder.h"
#include "menu/core/item_id.h"
#include "item_id_list.h"
#include "listing_cache.h"
#include "menu/core/menu_metrics.h"
#include "model_context.h"
#include "options_record.h"
#include "shell_allocator.h"
#include "shell_item.h"
#include "win_owners.h"

namespace quillo {

struct SpecialFolder {
  std::int32_t csidl;
  char parsingName[kPathSize];
};

constexpr int kSpecialFolderCount = 7;

struct ExtensionState {
  HINSTANCE ModuleInstance = nullptr;

  // The invocation. InvocationMode: -1 stay out, 0 context menu, >= 1 drag and drop (the menu
  // side sets 1, 2 or 3 for the highlighted drag entry).
  std::atomic<std::int32_t> InvocationMode{-1};
  OwnedIdList TargetIdList;
  // Attributes of the target (the link bit kept when a shortcut was resolved). Together with
  // TargetIdList they make the root entry that ItemId values from 0xFFFF0000 up stand for.
  std::uint32_t TargetAttributes = 0;
  // Drag mode: the full parsing names of the dragged objects in their Unicode form, each
  // NUL-terminated, ended by an extra NUL (a shell file operation's source list), in
  // DroppedNamesSize characters.
  std::unique_ptr<wchar_t[]> DroppedNames;
  std::size_t DroppedNamesSize = 0;
  HMENU ExplorerMenu = nullptr;
  std::uint32_t RootItemData = 0;
  // The handler whose QueryContextMenu inserted the entries, and whether Explorer's menu then
  // opened: a handler released before its menu ever opened tears down what it set up.
  const void* MenuInserter = nullptr;
  std::atomic<std::uint8_t> ExplorerMenuShown{0};

  std::atomic<std::uint8_t> OwnMenuActive{0};
  std::atomic<std::uint8_t> Subclassed{0};
  std::atomic<std::uint8_t> Busy{0};
  std::atomic<std::uint8_t> MoveToParentEnabled{0};
  std::atomic<ItemId> HighlightedItemId{kNoItemId};

  HookHandle CallWndProcHook;
  HookHandle MouseHook;
  HookHandle KeyboardHook;

  HWND MenuOwnerWindow = nullptr;
  HDC MeasureDC = nullptr;
  WNDPROC PreviousWindowProc = nullptr;
  RECT SelectedItemRect{};
  std::uint8_t SelectedByMouse = 0;
  int BusyCursorCount = 0;
  int HoverTicks = 0;
  std::uint8_t ReopenOnIdle = 0;
  char HighlightedText[kPathSize + 1] = {};

  UINT LButtonMsg = 0;  // "Quillo_LButtonMsg"
  UINT RButtonMsg = 0;  // "Quillo_RButtonMsg"
  UINT CursorMsg = 0;   // "Quillo_CursorMsg"

  HIMAGELIST SystemImageList = nullptr;
  MenuFontFacts FontFacts;  // icon size and menu font extents, measured at initialisation
  MenuMetrics Metrics;      // ItemHeight, SeparatorHeight, ItemsPerColumn, offsets, ...
  HWND InvokingWindow = nullptr;
  RECT MonitorRect{};
  RECT WorkAreaRect{};

  FontHandle MenuFont;
  FontHandle StatusFont;
  BitmapHandle RootItemBitmap;

  // Menu animation was on and is turned off while the menus are up; the teardown restores it.
  std::uint8_t MenuAnimationWasOn = 0;

  char OptionsProgramPath[kPathSize] = {};
  int WindowsVersionCode = 0;
  SpecialFolder SpecialFolderTable[kSpecialFolderCount] = {
      {CSIDL_DESKTOP, ""}, {CSIDL_BITBUCKET, ""}, {CSIDL_CONTROLS, ""}, {CSIDL_DRIVES, ""},
      {CSIDL_FONTS, ""},   {CSIDL_NETWORK, ""},   {CSIDL_PRINTERS, ""}};

  ShellAllocator Allocator;
  Microsoft::WRL::ComPtr<IShellFolder> DesktopFolder;

  // True after a global initialisation that found the setup information.
  bool Installed = false;
  ProgramFolders Folders{};
  OptionsRecord Options{};
  ActiveColors Colors{};

  // The item model: its view of this state (filled at every initialisation), the recent and
  // favourites lists it holds, and the listings of the open menus.
  ModelContext Model;
  ListingCache Listings{Model};
};

// The process's one state, zero-initialised when the module loads.
ExtensionState& State();

// The state's desktop folder and shell allocator, alone and as the shell item helpers take them.
IShellFolder* Desktop();
IdListAllocator& ListAllocator();
ShellAccess Shell();

// What process detach releases: bitmap, fonts, hooks, the shell allocator and desktop folder.
void ReleaseProcessResources(ExtensionState& state);

}  // namespace quillo
