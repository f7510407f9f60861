// Names, attributes and shortcut targets of shell items. Usable from any thread; lists are
// allocated with the extension's shell allocator.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdint>

#include "item_id_list.h"

namespace quillo {

// The attribute bits the extension asks for: file system, folder, file-system ancestor, share,
// link, ghosted, drop target.
constexpr std::uint32_t kAttributeMask = 0x70038100;
constexpr std::uint32_t kLinkAttribute = SFGAO_LINK;  // 0x00010000

enum DisplayNameResult { kNameObtained = 0, kNameUnavailable = 1 };

// The item's name in the given form, cut to the buffer. A failed parsing name falls back to the
// in-folder name; a parsing name of a virtual folder ("::{...}") is replaced by the in-folder
// name; when no name can be had the buffer holds "(Name unavailable)" and the result is 1.
int GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                   DWORD flags);

// The attribute bits of kAttributeMask; 0 when the query fails. With the desktop folder the
// list is taken as absolute and asked of its parent folder.
std::uint32_t GetAttributes(IShellFolder* folder, LPCITEMIDLIST list);

// The target of the shortcut file the item stands for, or null. No search is made for a moved
// target.
LPITEMIDLIST ResolveShortcut(IShellFolder* folder, LPCITEMIDLIST list);

// Name (when name is given), path and attributes of a child of folder. A shortcut that resolves
// gives its target's path and attributes plus the link bit; otherwise the path is the child's
// own name. With resultList the resolved list (or a copy of the child's) is handed out.
std::uint32_t GetItemInformation(IShellFolder* folder, LPCITEMIDLIST child, char* name,
                                 std::size_t nameSize, char* path, std::size_t pathSize,
                                 DWORD flags, LPITEMIDLIST* resultList);

// The extension's allocator for ID lists and its desktop folder.
IdListAllocator& ListAllocator();
IShellFolder* Desktop();

// Cast helpers between the shell's list type and the byte operations.
inline LPITEMIDLIST AsIdList(void* list) { return static_cast<LPITEMIDLIST>(list); }

}  // namespace quillo
