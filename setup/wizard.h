// The setup and uninstall wizard: a fixed frame dialog (108) showing one page at a time as a
// child dialog, and what the pages share.
#pragma once

#include <windows.h>

#include "setup_message.h"

namespace quillo::setup {

// Shows the wizard modally until Setup ends or the user quits.
void RunWizard();

struct WizardState {
  HWND frame = nullptr;
  HWND page = nullptr;  // the current page: target of the frame's commands
  int minFreeMb = 0;    // #MINFREE#, read by the installation directory page
};

WizardState& Wizard();

// Creates the page `pageId` as the successor of `from` (null for the first) and closes `from`.
void ShowPage(HWND from, int pageId);

// The user quits: the cancel flag is set and the frame ends; a running phase stops before its
// next command.
void QuitSetup();

// Setup is complete: the frame ends without the cancel flag.
void EndSetup();

// Message 1000 ("... Are you sure you want to exit?"); Yes quits Setup.
void AskToQuit(HWND page);
// The same with the question expanded beforehand (while the script runs on its worker).
void AskToQuit(HWND page, const ExpandedMessage& question);

// The folder of an edit control without trailing backslashes, at most 259 characters.
void FolderOfControl(HWND page, int id, char (&folder)[MAX_PATH]);

}  // namespace quillo::setup
