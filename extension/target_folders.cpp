#include "target_folders.h"

#include <cwchar>

namespace quillo {

TargetFolders::~TargetFolders() {
  for (Folder& folder : folders_) {
    if (folder.list != nullptr) shell_.allocator->Free(folder.list);
  }
}

TargetFolders::Folder* TargetFolders::Bound(const std::wstring& path) {
  for (Folder& folder : folders_) {
    if (folder.folder && CompareStringOrdinal(folder.path.c_str(), -1, path.c_str(), -1, TRUE) ==
                             CSTR_EQUAL) {
      return &folder;
    }
  }
  LPITEMIDLIST parsed = nullptr;
  Microsoft::WRL::ComPtr<IShellFolder> bound;
  if (FAILED(shell_.desktop->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(path.c_str()),
                                              nullptr, &parsed, nullptr)) ||
      parsed == nullptr) {
    return nullptr;
  }
  IdListOwner list(shell_.allocator, CopyIdList(shell_.allocator, parsed));
  CoTaskMemFree(parsed);
  if (list.get() == nullptr ||
      FAILED(shell_.desktop->BindToObject(list.get(), nullptr, IID_PPV_ARGS(&bound)))) {
    return nullptr;
  }
  Folder& slot = folders_[next_];
  next_ = (next_ + 1) % folders_.size();
  if (slot.list != nullptr) shell_.allocator->Free(slot.list);
  slot.path = path;
  slot.folder = bound;
  slot.list = list.release();
  ++bindings_;
  return &slot;
}

std::uint32_t TargetFolders::Describe(const ItemQuery& query) {
  wchar_t target[MAX_PATH];
  if (!LoadShortcut(query.folder, query.list, target) || target[0] == L'\0' ||
      GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) {
    return 0;
  }
  const wchar_t* slash = std::wcsrchr(target, L'\\');
  if (slash == nullptr || slash[1] == L'\0') return 0;  // a drive or share: no folder holds it
  // The folder keeps its backslash when it is a drive's root ("C:\").
  const std::size_t folderLength = slash - target + (slash > target && slash[-1] == L':' ? 1 : 0);
  Folder* holder = Bound(std::wstring(target, folderLength));
  if (holder == nullptr) return 0;
  LPITEMIDLIST child = nullptr;
  if (FAILED(holder->folder->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(slash + 1),
                                              nullptr, &child, nullptr)) ||
      child == nullptr) {
    return 0;
  }
  const std::uint32_t attributes = ChildAttributes(holder->folder.Get(), child) | kLinkAttribute;
  GetDisplayName(holder->folder.Get(), child, query.path, query.pathSize, query.flags);
  if (query.resolved != nullptr) *query.resolved = JoinIdLists(shell_.allocator, holder->list, child);
  CoTaskMemFree(child);
  return attributes;
}

}  // namespace quillo
