// The variables Setup defines itself: the first group before the script is read, the derived
// group after phase 0.
#pragma once

namespace quillo::setup {

void DefineBuiltinVariables();

// Reads the product's setup information and fills #CURVER#, and (when #INSTALLPATH# is still
// undefined) the install, data and finish-page variables from it or from the defaults.
void DefineDerivedVariables();

// #STARTUPDIR#, #STARTMENU#, #DESKTOPDIR# take the values of their "ALL" variants.
void UseAllUsersFolders();

// #STARTUPDIR#, #STARTMENU#, #DESKTOPDIR# take the values of their "USR" variants.
void UseCurrentUserFolders();

}  // namespace quillo::setup
