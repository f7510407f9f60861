#include "wizard_control.h"

#include "setup_state.h"

namespace quillo::setup {

bool RegisterControlClass(const char* name, WNDPROC proc, HCURSOR cursor, HBRUSH background) {
  WNDCLASSA existing;
  if (GetClassInfoA(Setup().instance, name, &existing)) return true;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = Setup().instance;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace quillo::setup
