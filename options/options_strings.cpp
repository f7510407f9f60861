// The options program's English string table.
#include "options_strings.h"

namespace quillo {

const lwf::StringEntry kOptionsStrings[] = {
    {kStrProductName, {"Quillo"}},
    {kStrProgramFilter, {"Executable Files (.EXE)\0*.EXE\0All Files (*.*)\0*.*\0"}},
    {kStrInvalidPath, {"Invalid path!"}},
    {kStrObjectListFull,
     {"The list of objects to exclude is full.\nRemove an object or choose a shorter name."}},
    {lwf::kEndOfTable, {}},
};

}  // namespace quillo
