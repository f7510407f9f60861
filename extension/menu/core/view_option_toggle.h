// The view options the keys and the middle button switch inside the menus.
#pragma once

#include "options_record.h"

namespace quillo {

enum class ViewOption : int { kSizes = 0, kHidden = 1, kProtected = 2, kUnits = 3 };

// Switches the option in the record: sizes and hidden items on or off; protected system items
// on (which also shows hidden items) or off alone; the size units to the next of the four.
// True when listings must be enumerated afresh because what they include changed.
bool ApplyViewOptionToggle(OptionsRecord& options, ViewOption which);

}  // namespace quillo
