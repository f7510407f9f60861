// The options defaults as the extension hands them out.
#pragma once

#include <windows.h>

#include "options_record.h"

// Fills an options record with the defaults, colours derived from the current system colours.
// Exported by name from Quillo32 for the options program; Quillo64 uses it internally only.
extern "C" void WINAPI InitOptions(quillo::OptionsRecord* options);
