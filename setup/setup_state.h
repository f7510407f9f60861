// Setup's process-wide state, shared by the UI thread and the script worker thread.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "condition_stack.h"
#include "script_interpreter.h"
#include "variable_table.h"

namespace quillo::setup {

using PathText = std::array<char, MAX_PATH>;

struct SetupState {
  HINSTANCE instance = nullptr;
  char programPath[MAX_PATH] = "";
  SetupMode mode = SetupMode::kSetup;
  bool is64 = false;     // running under WOW64
  bool silent = false;   // an install folder was given on the command line
  std::atomic<bool> reboot{false};
  std::atomic<bool> cancel{false};
  int windowsVersion = 0;
  std::atomic<int> errorCode{0};
  std::vector<char> script;  // NUL-terminated
  std::vector<PathText> initFiles;
  // Lines for the log of a silent run (commands that acted on nothing); written by the thread that
  // runs the phases, read by the log after the last phase.
  std::vector<std::string> notes;
  HFONT titleFont = nullptr;
  HFONT messageFont = nullptr;
  HFONT boldMessageFont = nullptr;
  // The wizard pages' hyperlink (#URLTEXT# and #URLLINK# replace them).
  char linkText[MAX_PATH] = "www.larkwell.com";
  char linkTarget[MAX_PATH] = "http://www.larkwell.com";
  // The progress page while phase 1 runs with the wizard; null otherwise.
  std::atomic<SetupProgress*> progress{nullptr};
  VariableTable variables;
  ConditionStack conditions;
};

SetupState& Setup();

// Sends a status text (cut to 520 bytes) to the progress page, if one exists.
void ShowStatus(StatusArea area, const char* text);
// The same with a format holding one %s.
void ShowStatusFormat(StatusArea area, const char* format, const char* argument);

// The variable's value expanded into a 520-byte buffer.
void ExpandInto(const char* text, char (&out)[kVariableValueSize]);

// snprintf into a fixed buffer; false (and an empty text) when the result does not fit.
bool FormatPath(char* out, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Removes trailing backslashes in place.
void TrimTrailingBackslashes(char* path);

}  // namespace quillo::setup
