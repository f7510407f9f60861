// Ids of the options program's texts in the framework's string table.
#pragma once

#include "core/string_table.h"

namespace quillo {

enum OptionsStringId : std::uint16_t {
  kStrProductName = 0,
  kStrProgramFilter = 10,   // the program picker's filter pairs
  kStrInvalidPath = 20,
  kStrNotAvailable = 30,    // a dialog that this version does not contain
};

extern const lwf::StringEntry kOptionsStrings[];

}  // namespace quillo
