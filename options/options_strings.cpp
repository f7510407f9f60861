// The options program's English string table.
#include "options_strings.h"

namespace quillo {

const lwf::StringEntry kOptionsStrings[] = {
    {kStrProductName, {"Quillo"}},
    {kStrProgramFilter, {"Executable Files (.EXE)\0*.EXE\0All Files (*.*)\0*.*\0"}},
    {kStrInvalidPath, {"Invalid path!"}},
    {kStrNotAvailable,
     {"The %s is not part of this version of %s yet.\nThe setting it edits is kept as it is."}},
    {lwf::kEndOfTable, {}},
};

}  // namespace quillo
