// The framework's own English texts.
#include "string_table.h"

namespace lwf {

const StringEntry kFrameworkTextsEnglish[] = {
    {kTextInitError, {"Error initializing the application!\nError code 0x%08X."}},
    {kTextProductInfo,
     {"%s v%d.%d.%d", "Larkwell Software - small tools for Windows", "https://www.larkwell.example/"}},
    {kTextManual,
     {"Could not display the manual \"%s\".\nPlease make sure that a viewer for this file type is "
      "installed on your system.",
      "Could not find the manual \"%s\".\nPlease reinstall the program."}},
    {kTextDataPath,
     {"Could not access the data path!\n%s\nPlease make sure that this path is accessible or "
      "choose a different data path during setup.",
      "Waiting for data folder...", "Quit %s"}},
    {kTextButtons, {"OK", "Cancel", "Apply", "Help", "Yes", "No"}},
    {kEndOfTable, {}},
};

}  // namespace lwf
