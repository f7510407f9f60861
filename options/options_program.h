// The options program's process-wide state and its start-up.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "favorites_table.h"
#include "options_record.h"

namespace quillo {

struct OptionsProgram {
  OptionsRecord options{};
  IMalloc* allocator = nullptr;
  IShellFolder* desktop = nullptr;
  HWND dialog = nullptr;  // the OptionsDialog while it is open
  FavoritesTable favorites;
  COLORREF customColors[16]{};  // the colour chooser's custom colours, shared by every swatch
};

OptionsProgram& Program();

// Exit codes of the program.
enum OptionsExitCode : int { kExitOk = 0, kExitInitFailed = 1 };

// Runs the program from the framework's start to the closed dialog; returns the exit code.
int RunOptionsProgram(HINSTANCE instance, const char* commandLine, int showCommand);

// Pages of the manual opened by the dialogs.
inline constexpr char kOptionsHelpTopic[] = "Options.htm";
inline constexpr char kFavoritesHelpTopic[] = "Favorites.htm";

// The manual's file name ("<product>.chm").
const char* ManualName();

// F1 in a dialog (WM_HELP) opens the manual at the dialog's page; true when message was F1.
bool HelpOnF1(UINT message, const char* topic);

}  // namespace quillo
