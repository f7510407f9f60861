// The LogonTrigger command: a Task Scheduler task that starts a program at every logon with the
// highest privileges, registered for the Administrators and the Users groups.
#pragma once

namespace quillo::setup {

// An empty program only deletes the task. Up to 10 attempts one second apart; after the last
// failure #LASTERROR# holds the failing step number ("%08x") and the result is 33.
int LogonTriggerCommand(const char* taskName, const char* program, const char* arguments);

// One attempt: 0, or the number of the step that failed.
int RegisterLogonTask(const char* taskName, const char* program, const char* arguments);

}  // namespace quillo::setup
