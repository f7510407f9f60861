// The shell item helpers every part of the extension (and the options program) uses: names,
// attributes and shortcut targets of shell items, the information of one item, and item ID list
// operations typed for the shell's lists. They run on any thread and keep no state; lists are
// allocated with the shell allocator the caller hands over.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>

#include "item_id_list.h"
#include "shell_attributes.h"

namespace quillo {

// The attribute bits every query asks for: file system, folder, file-system ancestor, share,
// link, ghosted, drop target.
constexpr std::uint32_t kAttributeMask = kAttrQueryMask;
constexpr std::uint32_t kLinkAttribute = SFGAO_LINK;  // 0x00010000
static_assert(kAttrLink == SFGAO_LINK && kAttrFolder == SFGAO_FOLDER &&
              kAttrFileSystem == SFGAO_FILESYSTEM && kAttrFileSysAncestor == SFGAO_FILESYSANCESTOR);

enum DisplayNameResult { kNameObtained = 0, kNameUnavailable = 1 };

// The desktop folder and the shell allocator of the caller.
struct ShellAccess {
  IShellFolder* desktop;
  IMalloc* allocator;
};

// The item's name in the given form, cut to the buffer (size in characters). A failed parsing
// name falls back to the in-folder name; a parsing name of a virtual folder ("::{...}") is
// replaced by the in-folder name; when no name can be had the buffer holds "(Name unavailable)"
// and the result is kNameUnavailable. The char form is the ANSI name that records, filters and
// sorts use; the wchar_t form is the real name, for whatever reaches a person or the file system.
int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                   DWORD flags);
int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, wchar_t* buffer, std::size_t size,
                   DWORD flags);

// The attribute bits of kAttributeMask of a child of the folder; 0 when the query fails.
std::uint32_t ChildAttributes(IShellFolder* folder, LPCITEMIDLIST child);

// The attribute bits of kAttributeMask; 0 when the query fails. With the desktop folder the list
// is absolute: its last element is asked of the folder that holds it (the desktop itself when
// the list has one element or its parent cannot be bound).
std::uint32_t GetAttributes(const ShellAccess& shell, IShellFolder* folder, LPCITEMIDLIST list);

// The shortcut file the item stands for, loaded, or null; target receives the path of its
// target, empty for a target outside the file system.
Microsoft::WRL::ComPtr<IShellLinkW> LoadShortcut(IShellFolder* folder, LPCITEMIDLIST list,
                                                 wchar_t (&target)[MAX_PATH]);

// The absolute target of the shortcut file the item stands for, or null: also for a target
// that no longer exists (the shortcut then keeps its own name and attributes). No search is
// made for a moved target.
LPITEMIDLIST ResolveShortcut(const ShellAccess& shell, IShellFolder* folder, LPCITEMIDLIST list);

// Name, attributes and (for a shortcut) the target of one item. folder is the desktop when list
// is absolute. name (optional) receives the item's name, and realName (optional, with name) its
// real form from the same query of the shell (or, with realNameGiven, realName holds the name
// the shell shows already and only the ANSI form is made from it); path receives the resolved target's name or else
// the item's; resolved (optional) receives the target list or a copy of list.
// Returns the attributes, the link bit kept for a resolved shortcut. targets (optional) are the
// target folders bound so far by the caller's other queries.
class TargetFolders;
struct ItemQuery {
  IShellFolder* folder;
  LPCITEMIDLIST list;
  DWORD flags;
  char* name;
  std::size_t nameSize;
  wchar_t* realName;
  std::size_t realNameSize;
  char* path;
  std::size_t pathSize;
  LPITEMIDLIST* resolved;
  bool realNameGiven = false;
  TargetFolders* targets = nullptr;
};
std::uint32_t GetItemInformation(const ShellAccess& shell, const ItemQuery& query);

// The byte operations of item_id_list.h on the shell's list type and allocator.
LPITEMIDLIST CopyIdList(IMalloc* allocator, LPCITEMIDLIST list);
LPITEMIDLIST JoinIdLists(IMalloc* allocator, LPCITEMIDLIST first, LPCITEMIDLIST second);
LPITEMIDLIST SplitOffLastId(IMalloc* allocator, LPITEMIDLIST list);

inline LPITEMIDLIST AsIdList(void* list) { return static_cast<LPITEMIDLIST>(list); }

// Owns one list and frees it with the shell allocator.
class IdListOwner {
 public:
  IdListOwner(IMalloc* allocator, LPITEMIDLIST list) : allocator_(allocator), list_(list) {}
  IdListOwner(const IdListOwner&) = delete;
  IdListOwner& operator=(const IdListOwner&) = delete;
  ~IdListOwner() {
    if (list_) allocator_->Free(list_);
  }
  LPITEMIDLIST get() const { return list_; }
  LPITEMIDLIST release() {
    LPITEMIDLIST list = list_;
    list_ = nullptr;
    return list;
  }

 private:
  IMalloc* allocator_;
  LPITEMIDLIST list_;
};

}  // namespace quillo
