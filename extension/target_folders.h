// The folders that hold shortcut targets, each bound once for the life of the object (one
// listing). Asking the desktop about a target walks its whole path again for every question, and
// a folder's shortcuts often point into the same few folders.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell_item.h"

namespace quillo {

class TargetFolders {
 public:
  explicit TargetFolders(const ShellAccess& shell) : shell_(shell) {}
  TargetFolders(const TargetFolders&) = delete;
  TargetFolders& operator=(const TargetFolders&) = delete;
  ~TargetFolders();

  // For the shortcut file query.list stands for, when its target is an existing item inside a
  // file-system folder: query.path receives the target's name (query.flags) and query.resolved
  // (optional) its absolute list, and the result is its attributes with the link bit. 0 for any
  // other shortcut, which the caller resolves through the desktop.
  std::uint32_t Describe(const ItemQuery& query);

  // Folders bound so far.
  int Bindings() const { return bindings_; }

 private:
  struct Folder {
    std::wstring path;
    Microsoft::WRL::ComPtr<IShellFolder> folder;
    LPITEMIDLIST list = nullptr;  // absolute, shell allocator
  };

  Folder* Bound(const std::wstring& path);

  ShellAccess shell_;
  std::array<Folder, 8> folders_;
  std::size_t next_ = 0;  // the slot the next binding replaces
  int bindings_ = 0;
};

}  // namespace quillo
