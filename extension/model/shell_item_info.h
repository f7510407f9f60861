// Names, attributes and shortcut targets of shell items. (The extension entry offers the same
// helpers for every part; these serve the item model until they are joined.)
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdint>

namespace quillo {

constexpr char kNameUnavailable[] = "(Name unavailable)";

// The desktop folder and the shell allocator of the thread that asks.
struct ShellAccess {
  IShellFolder* desktop;
  IMalloc* allocator;
};

// Name of a list in a folder with the given SHGDN flags, cut to the buffer. A failed parsing
// name falls back to the in-folder name, and a class path ("::{...}") is replaced by it. Returns
// 0, or 1 with "(Name unavailable)" when no name can be had.
int DisplayName(IShellFolder* folder, LPCITEMIDLIST list, char* buffer, std::size_t size,
                DWORD flags);

// The attribute bits of the query mask for an absolute list (asked of its parent folder), or
// for a child of a folder; 0 when the query fails.
std::uint32_t AbsoluteAttributes(const ShellAccess& shell, LPCITEMIDLIST absolute);
std::uint32_t ChildAttributes(IShellFolder* folder, LPCITEMIDLIST child);

// The absolute target list of the shortcut file named by list in folder, or null.
LPITEMIDLIST ResolveShortcut(const ShellAccess& shell, IShellFolder* folder, LPCITEMIDLIST list);

// Name, attributes and (for a shortcut) the target of one item. folder is the desktop when list
// is absolute. name (optional) receives the item's name; path receives the resolved target's
// name or else the item's; resolved (optional) receives the target list or a copy of list.
// Returns the attributes, the link bit kept for a resolved shortcut.
struct ItemQuery {
  IShellFolder* folder;
  LPCITEMIDLIST list;
  DWORD flags;
  char* name;
  std::size_t nameSize;
  char* path;
  std::size_t pathSize;
  LPITEMIDLIST* resolved;
};
std::uint32_t ItemInformation(const ShellAccess& shell, const ItemQuery& query);

}  // namespace quillo
