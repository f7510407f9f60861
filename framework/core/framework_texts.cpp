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
    {kTextConfigError,
     {"Warning: your current configuration will be overwritten!\nDo you want to continue?",
      "Configuration file error!", "Error restoring data!", "Wrong product!",
      "Some file(s) could not be backed up!\nMaybe they are in use by the program."}},
    {kTextConfigDone, {"Data restored successfully!", "Data backed up successfully!", "Data reset successfully!"}},
    {kTextRestart, {"The program must be restarted to apply the changes.\nClick OK to restart the program now."}},
    {kTextUpdate,
     {"Update Check", "Checking...", "Version download error", "Version format error", "New version available",
      "No update available", "Could not start update check"}},
    {kTextButtons, {"OK", "Cancel", "Apply", "Help", "Yes", "No"}},
    {kEndOfTable, {}},
};

}  // namespace lwf
