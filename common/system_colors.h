// The system colours the colour options derive from, read from Windows.
#pragma once

#include "options_record.h"

namespace quillo {

SystemColors ReadSystemColors();

}  // namespace quillo
