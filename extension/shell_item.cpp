#include "shell_item.h"

#include <shlwapi.h>
#include <wrl/client.h>

#include <cstring>

#include "extension_state.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

constexpr char kNameUnavailableText[] = "(Name unavailable)";

void CopyCut(char* buffer, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

bool QueryName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
               DWORD flags) {
  STRRET name;
  // StrRetToBufA converts with the ANSI code page, cuts to the buffer and frees a wide result.
  return SUCCEEDED(folder->GetDisplayNameOf(list, flags, &name)) &&
         SUCCEEDED(StrRetToBufA(&name, list, buffer, static_cast<UINT>(size)));
}

}  // namespace

IdListAllocator& ListAllocator() { return State().Allocator; }
IShellFolder* Desktop() { return State().DesktopFolder.Get(); }

int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                   DWORD flags) {
  if (buffer == nullptr || size == 0) return kNameUnavailable;
  buffer[0] = '\0';
  if (folder == nullptr || list == nullptr) {
    CopyCut(buffer, size, kNameUnavailableText);
    return kNameUnavailable;
  }
  bool obtained = QueryName(folder, list, buffer, size, flags);
  if (!obtained && flags == SHGDN_FORPARSING) {
    obtained = QueryName(folder, list, buffer, size, SHGDN_INFOLDER);
  }
  if (!obtained) {
    CopyCut(buffer, size, kNameUnavailableText);
    return kNameUnavailable;
  }
  if (std::strncmp(buffer, "::{", 3) == 0 && !QueryName(folder, list, buffer, size, SHGDN_INFOLDER)) {
    CopyCut(buffer, size, kNameUnavailableText);
    return kNameUnavailable;
  }
  return kNameObtained;
}

std::uint32_t GetAttributes(IShellFolder* folder, LPCITEMIDLIST list) {
  if (folder == nullptr || list == nullptr) return 0;
  SFGAOF attributes = kAttributeMask;
  if (folder == Desktop()) {
    OwnedIdList parent(ListAllocator(), CopyIdList(ListAllocator(), list));
    OwnedIdList last(ListAllocator(), SplitOffLastId(ListAllocator(), parent.get()));
    if (!last) return 0;
    ComPtr<IShellFolder> parentFolder;
    if (IsEmptyIdList(parent.get()) ||
        FAILED(folder->BindToObject(AsIdList(parent.get()), nullptr, IID_PPV_ARGS(&parentFolder)))) {
      parentFolder = folder;
    }
    LPCITEMIDLIST child = AsIdList(last.get());
    if (FAILED(parentFolder->GetAttributesOf(1, &child, &attributes))) return 0;
  } else if (FAILED(folder->GetAttributesOf(1, &list, &attributes))) {
    return 0;
  }
  return attributes & kAttributeMask;
}

LPITEMIDLIST ResolveShortcut(IShellFolder* folder, LPCITEMIDLIST list) {
  char path[MAX_PATH];
  if (GetDisplayName(folder, list, path, sizeof path, SHGDN_FORPARSING) != kNameObtained) {
    return nullptr;
  }
  wchar_t widePath[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) return nullptr;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  LPITEMIDLIST target = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
      FAILED(link.As(&file)) || FAILED(file->Load(widePath, STGM_READ)) ||
      FAILED(link->GetIDList(&target)) || target == nullptr) {
    return nullptr;
  }
  // The link keeps the list of a deleted file-system target: that target does not resolve.
  char targetPath[MAX_PATH];
  if (SHGetPathFromIDListA(target, targetPath) &&
      GetFileAttributesA(targetPath) == INVALID_FILE_ATTRIBUTES) {
    ListAllocator().Free(target);
    return nullptr;
  }
  return target;
}

std::uint32_t GetItemInformation(IShellFolder* folder, LPCITEMIDLIST child, char* name,
                                 std::size_t nameSize, char* path, std::size_t pathSize,
                                 DWORD flags, LPITEMIDLIST* resultList) {
  if (resultList) *resultList = nullptr;
  if (name) GetDisplayName(folder, child, name, nameSize, flags);
  std::uint32_t attributes = GetAttributes(folder, child);
  if (attributes & kLinkAttribute) {
    if (LPITEMIDLIST target = ResolveShortcut(folder, child)) {
      OwnedIdList owned(ListAllocator(), target);
      if (path) GetDisplayName(Desktop(), target, path, pathSize, flags);
      attributes = GetAttributes(Desktop(), target) | kLinkAttribute;
      if (resultList) *resultList = AsIdList(owned.release());
      return attributes;
    }
  }
  if (path) {
    if (name) {
      CopyCut(path, pathSize, name);
    } else {
      GetDisplayName(folder, child, path, pathSize, flags);
    }
  }
  if (resultList) *resultList = AsIdList(CopyIdList(ListAllocator(), child));
  return attributes;
}

}  // namespace quillo
