// Quillo.exe entry point: the options program, then the framework's teardown.
#include <windows.h>

#include "lwf_app.h"
#include "options_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  const int code = quillo::RunOptionsProgram(instance, commandLine, showCommand);
  lwf::Teardown();
  return code;
}
