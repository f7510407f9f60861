// The framework's ANSI open and save dialogs.
#pragma once

namespace lwf {

enum class FileDialogKind { kOpen, kSave };

// Shows the dialog owned by the active window with the first filter selected; filter is a
// double-zero-terminated list of pairs. Returns the chosen path (a buffer shared by all calls)
// or null when cancelled. An invalid initial name is dropped and the dialog opened once more.
const char* FileDialog(FileDialogKind kind, const char* filter, const char* initialName);

}  // namespace lwf
