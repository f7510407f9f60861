// How the uninstaller gets out of its own way: it runs from a temporary copy, and that copy
// removes itself through a small batch file when it ends.
#pragma once

namespace quillo::setup {

// True when the program file is already the temporary copy ("..._LWUItmp.exe").
bool IsTemporaryUninstaller(const char* programPath);

// Copies the program to "<temp>\_LWUItmp.exe" and starts it. False when the copy failed or
// could not be started.
bool StartTemporaryUninstaller();

// Writes "<temp>\LWAutoDel.bat" from TEXT resource 116 and starts it at idle priority, so that
// it deletes the program file once this process has ended, then itself.
bool StartSelfDeletion();

// Starts the batch file hidden, at idle priority, in the folder, raising this process's priority
// so that it ends first.
bool StartBatchFile(const char* batch, const char* folder);

}  // namespace quillo::setup
