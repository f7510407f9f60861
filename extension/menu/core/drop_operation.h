// What a drop onto a folder chosen in the "Copy To Folder", "Move To Folder" or "Move To
// Parent" menus does: the decisions and path handling of the file operation, as plain data.
// Paths are UTF-16 (wchar_t): the file operation is handed the objects' real names, which a
// code page may not hold (its "?" would be a wildcard there). Sizes count characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillo {

// InvocationMode of a drop: 1 copy into the chosen folder, 2 move into it, 3 move into the
// parent of the drop target.
constexpr int kCopyToFolderMode = 1;
constexpr int kMoveToFolderMode = 2;
constexpr int kMoveToParentMode = 3;

enum class DropFileOperation { kCopy, kMove };
DropFileOperation FileOperationFor(int invocationMode);

// The attributes of the entry the user chose in a drop menu.
struct DropTargetAttributes {
  bool folder = false;
  bool link = false;
  bool fileSystem = false;
  bool dropTarget = false;
};

enum class DropTargetChoice {
  kRefuse,          // not a folder of the file system that takes drops: the "no" cursor
  kOwnPath,         // the folder's own parsing path
  kShortcutTarget,  // a folder shortcut: the parsing path of its target
};

// Only folders are drop targets: a file chosen in a menu that also lists files is refused
// rather than standing for the folder that holds it.
DropTargetChoice ChooseDropTarget(const DropTargetAttributes& entry);

// "Move To Parent": the folder that holds the drop target. A folder directly below a drive root
// gives the root with its backslash ("C:\Data" -> "C:\"). False, with out empty, when the path
// has no backslash, names a root, or nothing would be left, or the result does not fit.
bool ParentFolderPath(std::wstring_view path, wchar_t* out, std::size_t size);

// The destination as the shell takes it: the path followed by two NULs. False when the path is
// not a full path ("X:\..." or "\\server\..."; a relative one would land wherever the current
// folder is) or does not fit whole.
bool DropDestination(std::wstring_view path, wchar_t* out, std::size_t size);

// After a move (not a copy, and not with Ctrl held) the folder the first dropped object came
// from is removed if the move left it empty.
bool RemovesEmptiedSource(int invocationMode, bool dragDeleteEmptyFolder, bool ctrlAtActivation);

// That folder: the first dropped name cut at its last backslash. False when there is none, or
// when the cut leaves a drive ("C:", which the file system reads as the drive's current
// folder) or a share ("\\server\share"): a root is never removed.
bool EmptiedSourceFolder(std::wstring_view firstName, wchar_t* out, std::size_t size);

}  // namespace quillo
