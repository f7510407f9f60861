// Elevation state and the restart request carried out at teardown.
#pragma once

namespace lwf {

// True below Windows Vista, and when the token's elevation flag cannot be read.
bool IsElevated();

// Records a restart (kind -1: elevated when this process is, else plain) with the given
// arguments (null: the command line the program was started with) and posts WM_QUIT.
void RequestRestart(int kind, const char* arguments, bool broadcast);

// Starts the program's own file again as requested; called by the teardown.
void CarryOutRestart();

}  // namespace lwf
