// Ids of the options program's texts in the framework's string table.
#pragma once

#include "core/string_table.h"

namespace quillo {

enum OptionsStringId : std::uint16_t {
  kStrProductName = 0,
  kStrProgramFilter = 10,   // the program picker's filter pairs
  kStrInvalidPath = 20,
  kStrObjectListFull = 21,  // the objects to exclude fill their field
};

extern const lwf::StringEntry kOptionsStrings[];

}  // namespace quillo
