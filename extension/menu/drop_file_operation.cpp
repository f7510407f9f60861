#include "drop_file_operation.h"

#include <shellapi.h>

#include "menu/core/drop_operation.h"
#include "menu/core/dropped_names.h"
#include "menu_trace.h"
#include "extension_state.h"
#include "shell_item.h"

namespace quillo {
namespace {

// The folder that holds the drop target, as "Move To Parent" moves into it.
bool MoveToParentDestination(LPCITEMIDLIST dropTarget, wchar_t* folder, std::size_t folderSize) {
  wchar_t path[kPathSize + 1];
  return GetDisplayName(Desktop(), dropTarget, path, kPathSize + 1, SHGDN_FORPARSING) ==
             kNameObtained &&
         ParentFolderPath(path, folder, folderSize);
}

// The folder the first dropped object came from goes when the move left it empty;
// RemoveDirectory refuses a folder that still holds anything, so nothing else is lost.
void RemoveEmptiedSource(const DropFileOperationInput& in) {
  wchar_t source[kDroppedNameSlot];
  if (!EmptiedSourceFolder(FirstDroppedName(in.names, in.namesSize), source, kDroppedNameSlot)) {
    return;
  }
  if (!RemoveDirectoryW(source)) return;  // not empty, in use or no right: silent
  SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHW | SHCNF_FLUSHNOWAIT, source, nullptr);
  MenuTrace("drop removed-source=%s", TraceText(source).text);
}

}  // namespace

bool RunDropFileOperation(const DropFileOperationInput& in, const OptionsRecord& options,
                          wchar_t* folder, std::size_t folderSize) {
  if (in.names == nullptr) return false;
  if (in.invocationMode == kMoveToParentMode &&
      !MoveToParentDestination(in.actionItem, folder, folderSize)) {
    return false;
  }
  wchar_t destination[kPathSize + 2];
  if (!DropDestination(folder, destination, kPathSize + 2)) return false;
  SHFILEOPSTRUCTW operation{};
  const bool copy = FileOperationFor(in.invocationMode) == DropFileOperation::kCopy;
  operation.wFunc = copy ? FO_COPY : FO_MOVE;
  operation.pFrom = in.names;
  operation.pTo = destination;
  operation.fFlags = FOF_ALLOWUNDO;  // the shell asks about conflicts and shows progress
  const int result = SHFileOperationW(&operation);
  MenuTrace("drop operation=%u to=%s result=%d aborted=%d", operation.wFunc, TraceText(folder).text, result,
            operation.fAnyOperationsAborted);
  if (RemovesEmptiedSource(in.invocationMode, options.dragDeleteEmptyFolder != 0,
                           in.ctrlAtActivation)) {
    RemoveEmptiedSource(in);
  }
  return true;
}

}  // namespace quillo
