// Runs one phase of a setup script: finds "PhaseBegin n", executes the lines up to "PhaseEnd"
// with the condition rules, and applies the error policy of the mode. The commands that touch
// the system are carried out by a ScriptCommandHost; the progress page (when there is one)
// receives status texts, progress, errors and the end of the phase through SetupProgress.
#pragma once

#include "condition_stack.h"
#include "script_argument.h"
#include "script_line.h"
#include "variable_table.h"

namespace quillo::setup {

enum class SetupMode { kSetup = 0, kUninstall = 1 };

enum StatusArea { kStatusLine = 0, kStatusDetail = 1 };

// The progress page as the script sees it.
class SetupProgress {
 public:
  // text is one status line: it fits kArgumentSize with its terminator.
  virtual void ShowStatus(StatusArea area, const char* text) = 0;
  virtual void ShowProgress(int percent) = 0;
  virtual void PhaseDone() = 0;
  // Shows the message of the code and returns the user's answer (kAnswerRetry repeats the line).
  virtual int ReportError(int code) = 0;

 protected:
  ~SetupProgress() = default;
};

// Executes the commands that act on the system (every keyword but Set, If, Else, Endif,
// PhaseBegin, PhaseEnd, Error, Status and Status2) with their expanded arguments.
class ScriptCommandHost {
 public:
  virtual int Execute(Keyword keyword, const ScriptArguments& arguments) = 0;
  // The user has quit Setup: the phase stops before its next line.
  virtual bool Cancelled() const = 0;
  // A line for the log: what a command left undone and why.
  virtual void Note(const char* text) = 0;

 protected:
  ~ScriptCommandHost() = default;
};

// State that lives for the whole process.
struct ScriptContext {
  const char* script;  // NUL-terminated
  SetupMode mode;
  VariableTable& variables;
  ConditionStack& conditions;
};

// A file or folder command whose path begins with a path variable that is empty or undefined
// (an uninstall without setup information has no #CONFIGPATH#) would act on the current drive's
// root: such a command acts on nothing and notes the line; a command that creates or copies
// returns its failure code, DeleteFile, RemoveDir and ChangeNotify return 0.
//
// Runs phase `phase` and returns the final SetupErrorCode. `progress` is null when no progress
// page exists (phases 0, 2, 3 and the silent install): a failure then ends the phase at once in
// setup mode. In uninstall mode every line runs and the last failure is the result.
int RunScriptPhase(ScriptContext& context, int phase, ScriptCommandHost& host,
                   SetupProgress* progress);

}  // namespace quillo::setup
