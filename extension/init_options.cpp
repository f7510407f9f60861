#include "init_options.h"

#include "system_colors.h"

extern "C" void WINAPI InitOptions(quillo::OptionsRecord* options) {
  if (options == nullptr) return;
  quillo::InitOptions(*options, quillo::ReadSystemColors());
}
