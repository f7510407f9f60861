#include "shell_item.h"

#include <shlwapi.h>
#include <wrl/client.h>

#include <cstring>
#include <cwchar>
#include <type_traits>

#include "target_folders.h"
#include "utf16_units.h"

using Microsoft::WRL::ComPtr;

namespace quillo {
namespace {

constexpr char kNameUnavailableText[] = "(Name unavailable)";

// The shell allocator as the allocator of the byte operations.
class MallocAllocator final : public IdListAllocator {
 public:
  explicit MallocAllocator(IMalloc* malloc) : malloc_(malloc) {}
  void* Allocate(std::size_t size) override { return malloc_->Alloc(size); }
  void Free(void* block) override { malloc_->Free(block); }

 private:
  IMalloc* malloc_;
};

void CopyCut(char* buffer, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

void CopyCut(wchar_t* buffer, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t length = 0;
  for (; text[length] != '\0' && length + 1 < size; ++length) buffer[length] = text[length];
  buffer[length] = L'\0';
}

// StrRetToBuf converts (A: with the ANSI code page), cuts to the buffer and frees a wide result.
bool QueryName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
               DWORD flags) {
  STRRET name;
  return SUCCEEDED(folder->GetDisplayNameOf(list, flags, &name)) &&
         SUCCEEDED(StrRetToBufA(&name, list, buffer, static_cast<UINT>(size)));
}

bool QueryName(IShellFolder* folder, LPCITEMIDLIST list, wchar_t* buffer, std::size_t size,
               DWORD flags) {
  STRRET name;
  return SUCCEEDED(folder->GetDisplayNameOf(list, flags, &name)) &&
         SUCCEEDED(StrRetToBufW(&name, list, buffer, static_cast<UINT>(size)));
}

bool IsClassPath(const char* name) { return std::strncmp(name, "::{", 3) == 0; }
bool IsClassPath(const wchar_t* name) { return std::wcsncmp(name, L"::{", 3) == 0; }

template <typename Char>
int DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST list, Char* buffer, std::size_t size,
                  DWORD flags) {
  if (buffer == nullptr || size == 0) return kNameUnavailable;
  buffer[0] = 0;
  bool obtained = folder != nullptr && list != nullptr &&
                  QueryName(folder, list, buffer, size, flags);
  if (!obtained && folder != nullptr && list != nullptr && flags == SHGDN_FORPARSING) {
    obtained = QueryName(folder, list, buffer, size, SHGDN_INFOLDER);
  }
  if (obtained && IsClassPath(buffer)) {
    obtained = QueryName(folder, list, buffer, size, SHGDN_INFOLDER);
  }
  if (!obtained) {
    CopyCut(buffer, size, kNameUnavailableText);
    return kNameUnavailable;
  }
  if constexpr (std::is_same_v<Char, wchar_t>) {
    // A name cut to the buffer keeps whole characters only.
    const std::size_t length = std::wcslen(buffer);
    if (length + 1 == size) buffer[WholeCharacterUnits(buffer, length)] = L'\0';
  }
  return kNameObtained;
}

// Both forms of a name from one query of the shell (none when the caller has the real name
// already): the ANSI form is the real one converted with the ANSI code page, as the shell
// converts it for an ANSI caller. Asked afresh in ANSI only when the real name does not fit the
// ANSI buffer.
void DisplayNames(IShellFolder* folder, LPCITEMIDLIST list, char* name, std::size_t nameSize,
                  wchar_t* realName, std::size_t realNameSize, DWORD flags, bool realNameGiven) {
  if (!realNameGiven) DisplayNameOf(folder, list, realName, realNameSize, flags);
  if (nameSize == 0 ||
      WideCharToMultiByte(CP_ACP, 0, realName, -1, name, static_cast<int>(nameSize), nullptr,
                          nullptr) == 0) {
    DisplayNameOf(folder, list, name, nameSize, flags);
  }
}

// Lists from the shell's link and parser come from the task allocator; every list handed out
// here lives on the shell allocator.
LPITEMIDLIST TakeTaskList(IMalloc* allocator, LPITEMIDLIST list) {
  LPITEMIDLIST copy = CopyIdList(allocator, list);
  CoTaskMemFree(list);
  return copy;
}

}  // namespace

std::uint32_t ChildAttributes(IShellFolder* folder, LPCITEMIDLIST child) {
  SFGAOF attributes = kAttributeMask;
  if (FAILED(folder->GetAttributesOf(1, &child, &attributes))) return 0;
  return attributes & kAttributeMask;
}

int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                   DWORD flags) {
  return DisplayNameOf(folder, list, buffer, size, flags);
}

int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, wchar_t* buffer, std::size_t size,
                   DWORD flags) {
  return DisplayNameOf(folder, list, buffer, size, flags);
}

std::uint32_t GetAttributes(const ShellAccess& shell, IShellFolder* folder, LPCITEMIDLIST list) {
  if (folder == nullptr || list == nullptr) return 0;
  if (folder != shell.desktop || IsEmptyIdList(list)) return ChildAttributes(folder, list);
  IdListOwner parent(shell.allocator, CopyIdList(shell.allocator, list));
  IdListOwner last(shell.allocator, SplitOffLastId(shell.allocator, parent.get()));
  if (last.get() == nullptr) return 0;
  ComPtr<IShellFolder> parentFolder;
  if (IsEmptyIdList(parent.get()) ||
      FAILED(shell.desktop->BindToObject(parent.get(), nullptr, IID_PPV_ARGS(&parentFolder)))) {
    parentFolder = shell.desktop;
  }
  return ChildAttributes(parentFolder.Get(), last.get());
}

ComPtr<IShellLinkW> LoadShortcut(IShellFolder* folder, LPCITEMIDLIST list,
                                 wchar_t (&target)[MAX_PATH]) {
  target[0] = L'\0';
  wchar_t path[MAX_PATH];
  if (GetDisplayName(folder, list, path, MAX_PATH, SHGDN_FORPARSING) != kNameObtained) {
    return nullptr;
  }
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
      FAILED(link.As(&file)) || FAILED(file->Load(path, STGM_READ))) {
    return nullptr;
  }
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) target[0] = L'\0';
  return link;
}

LPITEMIDLIST ResolveShortcut(const ShellAccess& shell, IShellFolder* folder, LPCITEMIDLIST list) {
  wchar_t target[MAX_PATH];
  const ComPtr<IShellLinkW> link = LoadShortcut(folder, list, target);
  if (!link) return nullptr;
  // A target in the file system is parsed afresh from its path: the list stored in the link may
  // carry stale data (Wine's cannot even be bound as a folder), and a target that no longer
  // exists does not resolve.
  LPITEMIDLIST resolved = nullptr;
  if (target[0] != L'\0') {
    if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES ||
        FAILED(shell.desktop->ParseDisplayName(nullptr, nullptr, target, nullptr, &resolved,
                                               nullptr)) ||
        resolved == nullptr) {
      return nullptr;
    }
    return TakeTaskList(shell.allocator, resolved);
  }
  if (FAILED(link->GetIDList(&resolved)) || resolved == nullptr) return nullptr;
  return TakeTaskList(shell.allocator, resolved);
}

std::uint32_t GetItemInformation(const ShellAccess& shell, const ItemQuery& query) {
  if (query.resolved != nullptr) *query.resolved = nullptr;
  if (query.name != nullptr && query.realName != nullptr) {
    DisplayNames(query.folder, query.list, query.name, query.nameSize, query.realName,
                 query.realNameSize, query.flags, query.realNameGiven);
  } else if (query.name != nullptr) {
    GetDisplayName(query.folder, query.list, query.name, query.nameSize, query.flags);
  }
  std::uint32_t attributes = GetAttributes(shell, query.folder, query.list);
  if (attributes & kLinkAttribute) {
    if (query.targets != nullptr) {
      if (const std::uint32_t target = query.targets->Describe(query)) return target;
    }
    if (LPITEMIDLIST target = ResolveShortcut(shell, query.folder, query.list)) {
      IdListOwner owned(shell.allocator, target);
      GetDisplayName(shell.desktop, target, query.path, query.pathSize, query.flags);
      attributes = GetAttributes(shell, shell.desktop, target) | kLinkAttribute;
      if (query.resolved != nullptr) *query.resolved = owned.release();
      return attributes;
    }
  }
  // No link, or a shortcut whose target is gone: the item's own name, attributes and list.
  if (query.name != nullptr) {
    CopyCut(query.path, query.pathSize, query.name);
  } else {
    GetDisplayName(query.folder, query.list, query.path, query.pathSize, query.flags);
  }
  if (query.resolved != nullptr) *query.resolved = CopyIdList(shell.allocator, query.list);
  return attributes;
}

LPITEMIDLIST CopyIdList(IMalloc* allocator, LPCITEMIDLIST list) {
  MallocAllocator lists(allocator);
  return AsIdList(CopyIdList(lists, list));
}

LPITEMIDLIST JoinIdLists(IMalloc* allocator, LPCITEMIDLIST first, LPCITEMIDLIST second) {
  MallocAllocator lists(allocator);
  return AsIdList(JoinIdLists(lists, first, second));
}

LPITEMIDLIST SplitOffLastId(IMalloc* allocator, LPITEMIDLIST list) {
  MallocAllocator lists(allocator);
  return AsIdList(SplitOffLastId(lists, list));
}

}  // namespace quillo
