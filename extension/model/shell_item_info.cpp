#include "shell_item_info.h"

#include <shlwapi.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstring>

#include "shell_attributes.h"
#include "shell_id_list.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

bool TryDisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                    DWORD flags) {
  STRRET name{};
  if (FAILED(folder->GetDisplayNameOf(list, flags, &name))) return false;
  // StrRetToBufA converts with the ANSI code page, cuts to the buffer and frees the string.
  return SUCCEEDED(StrRetToBufA(&name, list, buffer, static_cast<UINT>(size)));
}

// Lists from the shell's link and parser come from the task allocator; every list of the model
// lives on the shell allocator.
LPITEMIDLIST TakeTaskList(const ShellAccess& shell, LPITEMIDLIST list) {
  LPITEMIDLIST copy = CopyIdList(shell.allocator, list);
  CoTaskMemFree(list);
  return copy;
}

}  // namespace

int DisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                DWORD flags) {
  if (size == 0) return 1;
  buffer[0] = '\0';
  bool found = folder != nullptr && list != nullptr &&
               TryDisplayName(folder, list, buffer, size, flags);
  if (!found && flags == SHGDN_FORPARSING) {
    found = folder != nullptr && list != nullptr &&
            TryDisplayName(folder, list, buffer, size, SHGDN_INFOLDER);
  }
  if (!found) {
    std::snprintf(buffer, size, "%s", kNameUnavailable);
    return 1;
  }
  if (std::strncmp(buffer, "::{", 3) == 0 &&
      !TryDisplayName(folder, list, buffer, size, SHGDN_INFOLDER)) {
    std::snprintf(buffer, size, "%s", kNameUnavailable);
    return 1;
  }
  return 0;
}

std::uint32_t ChildAttributes(IShellFolder* folder, LPCITEMIDLIST child) {
  SFGAOF attributes = kAttrQueryMask;
  if (folder == nullptr || child == nullptr ||
      FAILED(folder->GetAttributesOf(1, &child, &attributes))) {
    return 0;
  }
  return attributes & kAttrQueryMask;
}

std::uint32_t AbsoluteAttributes(const ShellAccess& shell, LPCITEMIDLIST absolute) {
  LPCITEMIDLIST last = LastIdListElement(absolute);
  if (last == nullptr) return ChildAttributes(shell.desktop, absolute);
  IdListOwner parent(shell.allocator, CopyIdList(shell.allocator, absolute));
  if (parent.get() == nullptr || !RemoveLastIdListElement(parent.get())) return 0;
  if (IsEmptyIdList(parent.get())) return ChildAttributes(shell.desktop, last);
  ComPtr<IShellFolder> folder;
  if (FAILED(shell.desktop->BindToObject(parent.get(), nullptr, IID_IShellFolder,
                                         reinterpret_cast<void**>(folder.GetAddressOf())))) {
    return ChildAttributes(shell.desktop, absolute);
  }
  return ChildAttributes(folder.Get(), last);
}

LPITEMIDLIST ResolveShortcut(const ShellAccess& shell, IShellFolder* folder,
                             LPCITEMIDLIST list) {
  char path[MAX_PATH];
  if (DisplayName(folder, list, path, sizeof path, SHGDN_FORPARSING) != 0) return nullptr;
  wchar_t widePath[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) return nullptr;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.GetAddressOf())))) {
    return nullptr;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file)) || FAILED(file->Load(widePath, STGM_READ))) return nullptr;
  // A target with a file-system path is parsed afresh: the list stored in the link may carry
  // stale data (Wine's cannot even be bound as a folder).
  char targetPath[MAX_PATH];
  wchar_t wideTarget[MAX_PATH];
  LPITEMIDLIST target = nullptr;
  if (SUCCEEDED(link->GetPath(targetPath, MAX_PATH, nullptr, 0)) && targetPath[0] != '\0' &&
      MultiByteToWideChar(CP_ACP, 0, targetPath, -1, wideTarget, MAX_PATH) != 0 &&
      SUCCEEDED(shell.desktop->ParseDisplayName(nullptr, nullptr, wideTarget, nullptr, &target,
                                                nullptr)) &&
      target != nullptr) {
    return TakeTaskList(shell, target);
  }
  if (FAILED(link->GetIDList(&target)) || target == nullptr) return nullptr;
  return TakeTaskList(shell, target);
}

std::uint32_t ItemInformation(const ShellAccess& shell, const ItemQuery& query) {
  const bool absolute = query.folder == shell.desktop;
  if (query.name != nullptr) {
    DisplayName(query.folder, query.list, query.name, query.nameSize, query.flags);
  }
  std::uint32_t attributes = absolute ? AbsoluteAttributes(shell, query.list)
                                      : ChildAttributes(query.folder, query.list);
  if (query.resolved != nullptr) *query.resolved = nullptr;
  if (attributes & kAttrLink) {
    LPITEMIDLIST target = ResolveShortcut(shell, query.folder, query.list);
    if (target != nullptr) {
      DisplayName(shell.desktop, target, query.path, query.pathSize, query.flags);
      attributes = AbsoluteAttributes(shell, target) | kAttrLink;
      if (query.resolved != nullptr) {
        *query.resolved = target;
      } else {
        shell.allocator->Free(target);
      }
      return attributes;
    }
  }
  if (query.name != nullptr) {
    std::snprintf(query.path, query.pathSize, "%s", query.name);
  } else {
    DisplayName(query.folder, query.list, query.path, query.pathSize, query.flags);
  }
  if (query.resolved != nullptr) *query.resolved = CopyIdList(shell.allocator, query.list);
  return attributes;
}

}  // namespace quillo
