#include "item_activation.h"

#include <objbase.h>
#include <shlobj.h>

#include <cwchar>
#include <cstring>
#include <memory>
#include <new>

#include "drop_file_operation.h"
#include "extension_state.h"
#include "menu/core/activation_decision.h"
#include "menu/core/drop_operation.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_session.h"
#include "shell_item.h"

namespace quillo {
namespace {

constexpr int kFileNameControl = 1148;  // the file-name box of a common file dialog

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// What one activation acts on, handed to its thread (which owns the list and, after a drop,
// the dropped names: the next right-click may replace the process's state meanwhile).
struct ActionRequest {
  LPITEMIDLIST item = nullptr;
  bool ctrl = false;
  bool shift = false;
  int mode = 0;                           // InvocationMode at the activation
  wchar_t directory[kPathSize + 1] = {};  // the folder holding the item; after a drop its target
  char program[kPathSize] = {};           // the options program (OptionsLauncher)
  std::unique_ptr<wchar_t[]> droppedNames;
  std::size_t droppedNamesSize = 0;
};

ActionRequest* NewRequest() {
  auto* request = new (std::nothrow) ActionRequest;
  if (request == nullptr) return nullptr;
  request->ctrl = KeyDown(VK_CONTROL);
  request->shift = KeyDown(VK_SHIFT);
  request->mode = State().InvocationMode;
  return request;
}

void FreeRequest(ActionRequest* request) {
  if (request->item != nullptr) State().Allocator.Free(request->item);
  delete request;
}

bool StartThread(LPTHREAD_START_ROUTINE procedure, ActionRequest* request) {
  HANDLE thread = CreateThread(nullptr, 0, procedure, request, 0, nullptr);
  if (thread == nullptr) return false;
  CloseHandle(thread);
  return true;
}

// A folder of the file system goes to the alternate file manager, with its path quoted so
// that a path with spaces arrives as one argument.
bool OpenWithFileManager(const ActionRequest& request) {
  const char* manager = State().Options.alternateFileManager;
  if (manager[0] == '\0') return false;
  const std::uint32_t attributes = GetAttributes(Shell(), Desktop(), request.item);
  wchar_t program[kPathSize];
  wchar_t path[MAX_PATH];
  if ((attributes & (SFGAO_FOLDER | SFGAO_FILESYSTEM)) != (SFGAO_FOLDER | SFGAO_FILESYSTEM) ||
      MultiByteToWideChar(CP_ACP, 0, manager, -1, program, kPathSize) == 0 ||
      !SHGetPathFromIDListW(request.item, path)) {
    return false;
  }
  wchar_t parameters[MAX_PATH + 3];
  std::swprintf(parameters, MAX_PATH + 3, L"\"%ls\"", path);
  ShellExecuteW(nullptr, nullptr, program, parameters, nullptr, SW_SHOWNORMAL);
  return true;
}

// A common file dialog that invoked the menu takes the path into its file-name box.
bool HandToFileDialog(const ActionRequest& request) {
  HWND dialog = State().InvokingWindow;
  char className[16] = "";
  if (dialog == nullptr || GetClassNameA(dialog, className, sizeof className) == 0 ||
      !IsDialogClassName(className)) {
    return false;
  }
  wchar_t path[MAX_PATH];
  if (!SHGetPathFromIDListW(request.item, path) ||
      !SetDlgItemTextW(dialog, kFileNameControl, path)) {
    return false;
  }
  SendMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return true;
}

void OpenItem(const ActionRequest& request) {
  if (OpenWithFileManager(request) || HandToFileDialog(request)) return;
  SHELLEXECUTEINFOW record = OpenItemRecord(request.item, request.directory, request.shift);
  ShellExecuteExW(&record);  // a failure is not reported
}

DWORD WINAPI ActionThread(void* parameter) {
  auto* request = static_cast<ActionRequest*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
  ExtensionState& state = State();
  CloseMenus(request->ctrl);
  const int mode = request->mode;
  bool proceed = true;
  if (mode > 0) {
    const DropFileOperationInput drop{mode, request->item, request->droppedNames.get(),
                                      request->droppedNamesSize, request->ctrl};
    proceed = RunDropFileOperation(drop, state.Options, request->directory,
                                   sizeof request->directory);
  }
  if (proceed && OpensItem(mode, state.Options.dragOpenTarget != 0, request->ctrl)) {
    OpenItem(*request);
  }
  MenuTrace("action opened ctrl=%d shift=%d", request->ctrl, request->shift);
  if (FeedsRecentList(state.Options.recentEnabled, mode)) {
    state.Model.recent.Add(state.Model, request->item);  // takes the list
    request->item = nullptr;
  }
  FreeRequest(request);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

DWORD WINAPI OptionsLauncher(void* parameter) {
  auto* request = static_cast<ActionRequest*>(parameter);
  CloseMenus(request->ctrl);
  MenuTrace("options-launcher program=%s", request->program);
  if (request->program[0] != '\0') {
    ShellExecuteA(nullptr, "open", request->program, nullptr, nullptr, SW_SHOWNORMAL);
  }
  FreeRequest(request);
  return 0;
}

void StartOptionsLauncher() {
  ActionRequest* request = NewRequest();
  if (request == nullptr) return;
  std::memcpy(request->program, State().OptionsProgramPath, sizeof request->program);
  if (!StartThread(OptionsLauncher, request)) FreeRequest(request);
}

// The parsing path of the folder that holds the item.
void ParentPath(LPCITEMIDLIST item, wchar_t* path, std::size_t size) {
  path[0] = L'\0';
  IdListOwner parent(State().Allocator.Get(), CopyIdList(State().Allocator.Get(), item));
  if (parent.get() != nullptr && ParentIdList(parent.get())) {
    GetDisplayName(Desktop(), parent.get(), path, size, SHGDN_FORPARSING);
  }
}

// The folder a drop goes into: the chosen folder's parsing path, or for a folder shortcut its
// target's. False (the "no" cursor) for anything else.
bool DropTargetPath(const MenuEntry& entry, wchar_t* path, std::size_t size) {
  const DropTargetAttributes attributes{(entry.attributes & SFGAO_FOLDER) != 0,
                                        (entry.attributes & SFGAO_LINK) != 0,
                                        (entry.attributes & SFGAO_FILESYSTEM) != 0,
                                        (entry.attributes & SFGAO_DROPTARGET) != 0};
  switch (ChooseDropTarget(attributes)) {
    case DropTargetChoice::kOwnPath:
      return GetDisplayName(Desktop(), entry.idList, path, size, SHGDN_FORPARSING) == kNameObtained;
    case DropTargetChoice::kShortcutTarget: {
      IdListOwner target(State().Allocator.Get(), ResolveShortcut(Shell(), Desktop(), entry.idList));
      return target.get() != nullptr &&
             GetDisplayName(Desktop(), target.get(), path, size, SHGDN_FORPARSING) == kNameObtained;
    }
    case DropTargetChoice::kRefuse: break;
  }
  return false;
}

// Starts the action thread on a copy of item, with the request's folder as HighlightedText.
// A drop hands the dropped names over with it.
void StartAction(ActionRequest* request, LPCITEMIDLIST item) {
  ExtensionState& state = State();
  // HighlightedText keeps the ANSI form; the action itself uses the real path.
  if (WideCharToMultiByte(CP_ACP, 0, request->directory, -1, state.HighlightedText,
                          sizeof state.HighlightedText, nullptr, nullptr) == 0) {
    state.HighlightedText[0] = '\0';
  }
  if (request->mode > 0) {
    request->droppedNames = std::move(state.DroppedNames);
    request->droppedNamesSize = state.DroppedNamesSize;
    state.DroppedNamesSize = 0;
  }
  request->item = CopyIdList(state.Allocator.Get(), item);
  if (request->item == nullptr || !StartThread(ActionThread, request)) FreeRequest(request);
}

void OpenEntry(LPCITEMIDLIST item) {
  ActionRequest* request = NewRequest();
  if (request == nullptr) return;
  ParentPath(item, request->directory, sizeof request->directory);
  StartAction(request, item);
}

// A drop onto the chosen folder, refused with the "no" cursor (the menus stay open) unless it is
// a folder of the file system that takes drops. One drop starts one operation.
void DropOnEntry(const MenuEntry& entry) {
  if (!State().DroppedNames) return;
  std::unique_ptr<ActionRequest> request(NewRequest());
  if (!request) return;
  if (!DropTargetPath(entry, request->directory, sizeof request->directory)) {
    MenuTrace("drop refused");
    SetCursor(LoadCursor(nullptr, IDC_NO));
    return;
  }
  StartAction(request.release(), entry.idList);
}

// "Move To Parent": the drop target itself is what the thread acts on; it finds the
// destination.
void MoveToParent() {
  ExtensionState& state = State();
  if (!state.DroppedNames) return;
  ActionRequest* request = NewRequest();
  if (request != nullptr) StartAction(request, AsIdList(state.TargetIdList.get()));
}

}  // namespace

SHELLEXECUTEINFOW OpenItemRecord(LPCITEMIDLIST item, const wchar_t* directory, bool explore) {
  SHELLEXECUTEINFOW record{};
  record.cbSize = sizeof record;
  record.fMask = (explore ? SEE_MASK_IDLIST : SEE_MASK_INVOKEIDLIST) | SEE_MASK_FLAG_DDEWAIT;
  record.lpVerb = explore ? L"explore" : nullptr;
  record.lpIDList = const_cast<ITEMIDLIST*>(item);
  record.lpDirectory = directory;
  record.nShow = SW_SHOWNORMAL;
  return record;
}

void ActivateHighlighted() {
  ExtensionState& state = State();
  const ItemId highlighted = state.HighlightedItemId;
  const MenuEntry* entry = IsRootItemId(highlighted) ? nullptr : LookupEntry(highlighted);
  ActivationInput in;
  in.highlightedItemId = highlighted;
  in.invocationMode = state.InvocationMode;
  in.moveToParentEnabled = state.MoveToParentEnabled != 0;
  in.entryHasIdList = entry != nullptr && entry->idList != nullptr;
  in.entryIsDesktop = in.entryHasIdList && IsEmptyIdList(entry->idList);
  switch (DecideActivation(in)) {
    case ActivationAction::kOptionsLauncher: StartOptionsLauncher(); break;
    case ActivationAction::kOpenEntry:
      if (in.invocationMode > 0) {
        DropOnEntry(*entry);
      } else {
        OpenEntry(entry->idList);
      }
      break;
    case ActivationAction::kMoveToParent: MoveToParent(); break;
    case ActivationAction::kNothing: break;
  }
}

}  // namespace quillo
