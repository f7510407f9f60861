// Carries out the script's system commands on Windows.
#pragma once

#include "script_interpreter.h"

namespace quillo::setup {

class WindowsCommandHost : public ScriptCommandHost {
 public:
  int Execute(Keyword keyword, const ScriptArguments& arguments) override;
  bool Cancelled() const override;
  void Note(const char* text) override;
};

// Runs a phase with the Windows commands; on a new thread when asked (code 14 when the thread
// cannot start), else on this one. Sets and returns the SetupErrorCode.
int RunPhase(int phase, bool onThread);

// Waits (pumping this thread's messages) until no phase runs on a thread any more; false when
// `timeoutMs` passed first.
bool WaitForPhaseWorkers(unsigned long timeoutMs);

}  // namespace quillo::setup
