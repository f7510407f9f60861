#include "item_activation.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "extension_state.h"
#include "menu/core/activation.h"
#include "menu_level.h"
#include "menu_trace.h"
#include "menu_session.h"
#include "shell_id_list.h"
#include "shell_item.h"

namespace quillo {
namespace {

constexpr int kFileNameControl = 1148;  // the file-name box of a common file dialog

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// What one activation acts on, handed to its thread (which owns the list).
struct ActionRequest {
  LPITEMIDLIST item = nullptr;
  bool ctrl = false;
  bool shift = false;
  char directory[kPathSize + 1] = {};  // the folder holding the item
  char program[kPathSize] = {};        // the options program (OptionsLauncher)
};

ActionRequest* NewRequest() {
  auto* request = new (std::nothrow) ActionRequest;
  if (request == nullptr) return nullptr;
  request->ctrl = KeyDown(VK_CONTROL);
  request->shift = KeyDown(VK_SHIFT);
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
  const std::uint32_t attributes = GetAttributes(Desktop(), request.item);
  char path[MAX_PATH];
  if ((attributes & (SFGAO_FOLDER | SFGAO_FILESYSTEM)) != (SFGAO_FOLDER | SFGAO_FILESYSTEM) ||
      !SHGetPathFromIDListA(request.item, path)) {
    return false;
  }
  char parameters[MAX_PATH + 3];
  std::snprintf(parameters, sizeof parameters, "\"%s\"", path);
  ShellExecuteA(nullptr, nullptr, manager, parameters, nullptr, SW_SHOWNORMAL);
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
  char path[MAX_PATH];
  if (!SHGetPathFromIDListA(request.item, path) ||
      !SetDlgItemTextA(dialog, kFileNameControl, path)) {
    return false;
  }
  SendMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return true;
}

void OpenItem(const ActionRequest& request) {
  if (OpenWithFileManager(request) || HandToFileDialog(request)) return;
  SHELLEXECUTEINFOA record = OpenItemRecord(request.item, request.directory, request.shift);
  ShellExecuteExA(&record);  // a failure is not reported
}

DWORD WINAPI ActionThread(void* parameter) {
  auto* request = static_cast<ActionRequest*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
  ExtensionState& state = State();
  CloseMenus(request->ctrl);
  const int mode = state.InvocationMode;
  if (OpensItem(mode, state.Options.dragOpenTarget != 0, request->ctrl)) OpenItem(*request);
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
void ParentPath(LPCITEMIDLIST item, char* path, std::size_t size) {
  path[0] = '\0';
  IdListOwner parent(State().Allocator.Get(), CopyIdList(State().Allocator.Get(), item));
  if (parent.get() != nullptr && RemoveLastIdListElement(parent.get())) {
    GetDisplayName(Desktop(), parent.get(), path, size, SHGDN_FORPARSING);
  }
}

void StartAction(LPCITEMIDLIST item) {
  ActionRequest* request = NewRequest();
  if (request == nullptr) return;
  ExtensionState& state = State();
  ParentPath(item, request->directory, sizeof request->directory);
  std::memcpy(state.HighlightedText, request->directory, sizeof state.HighlightedText);
  request->item = CopyIdList(state.Allocator.Get(), item);
  if (request->item == nullptr || !StartThread(ActionThread, request)) FreeRequest(request);
}

}  // namespace

SHELLEXECUTEINFOA OpenItemRecord(LPCITEMIDLIST item, const char* directory, bool explore) {
  SHELLEXECUTEINFOA record{};
  record.cbSize = sizeof record;
  record.fMask = (explore ? SEE_MASK_IDLIST : SEE_MASK_INVOKEIDLIST) | SEE_MASK_FLAG_DDEWAIT;
  record.lpVerb = explore ? "explore" : nullptr;
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
  // Drops onto a chosen folder (copy, move, move to parent) are not carried out by this module.
  if (in.invocationMode > 0) return;
  switch (DecideActivation(in)) {
    case ActivationAction::kOptionsLauncher: StartOptionsLauncher(); break;
    case ActivationAction::kOpenEntry: StartAction(entry->idList); break;
    case ActivationAction::kMoveToParent:
    case ActivationAction::kNothing: break;
  }
}

}  // namespace quillo
