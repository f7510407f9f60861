// The header the product information and update dialogs share: program icons, product line,
// the maker's line and the link to the vendor's web site.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace lwf {

// Fills the header; lineFormat is printed over the product name and the version.
void ShowProductHeader(HWND dialog, const char* lineFormat);

// Asks the main window for the manual at the dialogs' topic "About".
void ShowHelpTopic();

// The semibold font for the given controls.
void UseSemibold(HWND dialog, std::initializer_list<int> ids);

}  // namespace lwf
