// The names a folder's children are shown by, as the shell shows them in the folder
// (SHGDN_INFOLDER). In a file-system folder the shell is asked once per kind and extension, and
// the other children's names are made from their file names by the rule that answer showed
// (ExtensionNameRules): asking the shell for every name is most of a listing's time. Wherever
// something else may rename a child the shell is asked for every one: in a folder that holds a
// "desktop.ini", for sub-folders marked read-only or system (which a "desktop.ini" of their own
// may rename), and for children the file system does not describe. The file names come from a
// walk of the folder: the shell's item ID lists may hold them only as they read after a trip
// through the ANSI code page, which tells some apart no more; those are asked of the shell.
// The first children are asked of the shell before the folder is walked, so that a child probe,
// which ends at the first child shown, or a small folder never pays for the walk.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>
#include <string>
#include <unordered_map>

#include "extension_name_rules.h"

namespace quillo {

class ShownNames {
 public:
  // Children asked of the shell before the folder is walked and names are made.
  static constexpr int kShellNamesFirst = 8;

  // folderPath is the listed folder's parsing name, or null when it is not a file-system folder.
  ShownNames(IShellFolder* folder, const wchar_t* folderPath,
             int shellNamesFirst = kShellNamesFirst);

  // The child's shown name, cut to size units.
  void Name(LPCITEMIDLIST child, wchar_t* name, std::size_t size);

  // Names asked of the shell so far.
  int ShellQueries() const { return shellQueries_; }


 private:
  enum class Mode { kShellOnly, kShellFirst, kRuled };

  void AskShell(LPCITEMIDLIST child, wchar_t* name, std::size_t size);
  void WalkFolder();
  const std::wstring* RealFileName(const wchar_t* listed) const;

  IShellFolder* folder_;
  std::wstring folderPath_;
  int shellNamesFirst_;
  Mode mode_ = Mode::kShellOnly;
  int shellQueries_ = 0;
  ExtensionNameRules rules_;
  // Each file name of the folder by its form after the ANSI trip; empty for a form two share.
  std::unordered_map<std::wstring, std::wstring> fileNames_;
};

}  // namespace quillo
