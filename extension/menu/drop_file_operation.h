// The file operation of a drop onto a folder chosen in the drag-and-drop menus, run by the
// action thread after the menus have closed: the shell's copy or move of the dropped objects,
// then removing the folder a move emptied.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstddef>

#include "options_record.h"

namespace quillo {

struct DropFileOperationInput {
  int invocationMode = 0;          // 1 copy, 2 move, 3 move into the drop target's parent
  LPCITEMIDLIST actionItem = nullptr;  // the chosen folder; for "Move To Parent" the drop target
  const wchar_t* names = nullptr;  // DroppedNames
  std::size_t namesSize = 0;       // characters
  bool ctrlAtActivation = false;
};

// Runs the operation into `folder` (the chosen folder's real path, folderSize characters); for
// "Move To Parent" `folder` receives the destination. False when there is no destination to copy or move into (the
// operation ends early). Failures and cancellations inside the operation are the shell's to
// show: the rest of the activation goes on.
bool RunDropFileOperation(const DropFileOperationInput& in, const OptionsRecord& options,
                          wchar_t* folder, std::size_t folderSize);

}  // namespace quillo
