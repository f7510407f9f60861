#include "invocation.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "context_menu_entries.h"
#include "dropped_names.h"
#include "global_initialisation.h"
#include "id_list_array.h"
#include "extension_state.h"
#include "menu_animation.h"
#include "shell_item.h"
#include "system_colors.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

void SetInvocationMode(ExtensionState& state, std::int32_t mode) {
  state.InvocationMode = mode;
  state.Model.invocationMode = mode;
}

void ForgetInvocation(ExtensionState& state) {
  SetInvocationMode(state, kStayOut);
  state.TargetIdList.reset();
  state.TargetAttributes = 0;
  state.DroppedNames.reset();
  state.DroppedNamesSize = 0;
}

using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

// Monitor and work area under the cursor, and what the menu layout derives from them.
void CaptureScreen(ExtensionState& state) {
  state.InvokingWindow = GetForegroundWindow();
  POINT cursor{};
  GetCursorPos(&cursor);
  auto monitorFromPoint = User32Function<MonitorFromPointFn>("MonitorFromPoint");
  auto getMonitorInfo = User32Function<GetMonitorInfoFn>("GetMonitorInfoA");
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = monitorFromPoint ? monitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST) : nullptr;
  if (monitor && getMonitorInfo && getMonitorInfo(monitor, &info)) {
    state.MonitorRect = info.rcMonitor;
    state.WorkAreaRect = info.rcWork;
  } else {
    GetWindowRect(GetDesktopWindow(), &state.MonitorRect);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &state.WorkAreaRect, 0);
  }
  state.Metrics = ComputeMenuMetrics(state.FontFacts, state.Options.itemHeightAdd,
                                     state.MonitorRect.bottom - state.MonitorRect.top);
  state.Model.itemsPerColumn = state.Metrics.ItemsPerColumn;
}

bool IsStartMenuFolder(LPCITEMIDLIST list) {
  LPITEMIDLIST startMenu = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_STARTMENU, &startMenu)) || !startMenu) {
    return false;
  }
  OwnedIdList owned(ListAllocator(), startMenu);
  const HRESULT order = Desktop()->CompareIDs(0, list, startMenu);
  return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
}

LPITEMIDLIST SpecialFolderList(int csidl) {
  LPITEMIDLIST list = nullptr;
  return SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) ? list : nullptr;
}

// The configured starting point for the Start Menu folder: a parsing name, else the name of a
// special folder, else the Desktop, which then becomes the starting point.
LPITEMIDLIST StartMenuReplacement(ExtensionState& state) {
  char* configured = state.Options.startMenuFolder;
  configured[kPathSize - 1] = '\0';  // the file's bytes are not trusted to hold a terminator
  wchar_t wide[kPathSize];
  LPITEMIDLIST parsed = nullptr;
  if (MultiByteToWideChar(CP_ACP, 0, configured, -1, wide, kPathSize) > 0 &&
      SUCCEEDED(Desktop()->ParseDisplayName(nullptr, nullptr, wide, nullptr, &parsed, nullptr)) &&
      parsed) {
    return parsed;
  }
  for (const SpecialFolder& row : state.SpecialFolderTable) {
    if (row.parsingName[0] != '\0' && lstrcmpiA(row.parsingName, configured) == 0) {
      return SpecialFolderList(row.csidl);
    }
  }
  std::memcpy(configured, state.SpecialFolderTable[0].parsingName, kPathSize);
  return SpecialFolderList(state.SpecialFolderTable[0].csidl);
}

void CaptureContextTarget(ExtensionState& state, const IdListArrayView& selection) {
  IdListAllocator& allocator = ListAllocator();
  state.TargetIdList =
      OwnedIdList(allocator, JoinIdLists(allocator, selection.Parent(), selection.Item(0)));
  if (!state.TargetIdList) return;
  if (IsStartMenuFolder(AsIdList(state.TargetIdList.get()))) {
    state.TargetIdList = OwnedIdList(allocator, StartMenuReplacement(state));
    if (!state.TargetIdList) return;
  }
  SetInvocationMode(state, kContextMode);
}

void CaptureDrop(ExtensionState& state, LPCITEMIDLIST pidlFolder, const IdListArrayView& dragged) {
  IdListAllocator& allocator = ListAllocator();
  OwnedIdList target(allocator, CopyIdList(allocator, pidlFolder));
  // The count comes from another component: a size that cannot be represented is refused.
  const std::size_t namesSize = DroppedNamesSize(dragged.Count());
  if (namesSize == 0) return;
  std::unique_ptr<wchar_t[]> names(new (std::nothrow) wchar_t[namesSize]);
  if (!target || !names) return;

  ComPtr<IShellFolder> parent;
  if (IsEmptyIdList(dragged.Parent())) {
    parent = Desktop();
  } else if (FAILED(Desktop()->BindToObject(static_cast<LPCITEMIDLIST>(dragged.Parent()), nullptr,
                                            IID_PPV_ARGS(&parent)))) {
    return;
  }
  DroppedNamesWriter writer(names.get(), namesSize);
  for (std::uint32_t i = 0; i < dragged.Count(); ++i) {
    const auto item = static_cast<LPCITEMIDLIST>(dragged.Item(i));
    // A file operation must never be handed a placeholder, a cut path or a code page's "?" (a
    // wildcard there) instead of the path: the real name is read into a larger buffer so that
    // one too long for its slot is seen.
    wchar_t name[2 * kDroppedNameSlot];
    if (GetDisplayName(parent.Get(), item, name, 2 * kDroppedNameSlot, SHGDN_FORPARSING) !=
            kNameObtained ||
        (GetAttributes(Shell(), parent.Get(), item) & SFGAO_FILESYSTEM) == 0 || !writer.Append(name)) {
      return;
    }
  }
  state.TargetIdList = std::move(target);
  state.DroppedNames = std::move(names);
  state.DroppedNamesSize = namesSize;
  SetInvocationMode(state, kDragMode);
}

// Attributes of the target; a shortcut counts with its target's attributes plus the link bit.
std::uint32_t TargetAttributes(LPCITEMIDLIST target) {
  std::uint32_t attributes = GetAttributes(Shell(), Desktop(), target);
  if (attributes & kLinkAttribute) {
    if (LPITEMIDLIST resolved = ResolveShortcut(Shell(), Desktop(), target)) {
      OwnedIdList owned(ListAllocator(), resolved);
      attributes = GetAttributes(Shell(), Desktop(), resolved) | kLinkAttribute;
    }
  }
  return attributes;
}

// Reads the selection from the data object: the target and, for a drop, the dropped names.
// InvocationMode stays -1 when the extension stays out of this invocation.
HRESULT CaptureInvocation(ExtensionState& state, LPCITEMIDLIST pidlFolder, IDataObject* data) {
  if (data == nullptr) return E_INVALIDARG;
  FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Shell IDList Array")), nullptr,
                   DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  StorageMedium medium;
  const HRESULT fetched = medium.Fetch(data, format);
  if (FAILED(fetched)) return fetched;
  LockedGlobal locked(medium.global());
  const IdListArrayView selection(locked.bytes(), locked.size());
  if (!selection.Valid() || selection.Count() == 0) return S_OK;

  if (pidlFolder) {
    CaptureDrop(state, pidlFolder, selection);
  } else {
    CaptureContextTarget(state, selection);
  }
  if (state.InvocationMode == kStayOut) {
    ForgetInvocation(state);
    return S_OK;
  }
  state.TargetAttributes = TargetAttributes(AsIdList(state.TargetIdList.get()));
  if (state.Options.sizeInfoStartDisabled == 1) state.Options.sizeInfoShown = 0;
  return S_OK;
}

}  // namespace

HRESULT InitializeInvocation(ExtensionState& state, LPCITEMIDLIST pidlFolder, IDataObject* data) {
  if (state.Busy) return S_OK;
  ForgetInvocation(state);
  // Without the setup information the extension stays out of the menu altogether.
  if (!RunGlobalInitialisation(state)) return S_OK;
  state.Colors = ComputeActiveColors(state.Options, ReadSystemColors());
  CaptureScreen(state);
  SuspendMenuAnimation(state);
  const HRESULT result = CaptureInvocation(state, pidlFolder, data);
  // An invocation the extension stays out of shows no menu of ours: no teardown follows.
  if (state.InvocationMode == kStayOut) RestoreMenuAnimation(state);
  return result;
}

}  // namespace quillo
