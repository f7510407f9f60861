// Small list box operations shared by the dialogs that edit lists.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillo {

// The text of a line; "" for an index that holds none.
std::string ListBoxText(HWND list, int index);

// The texts of all lines in list order.
std::vector<std::string> ListBoxTexts(HWND list);

// The selected line, or -1.
int ListBoxSelection(HWND list);

// Sets the horizontal scroll extent to the widest line in the list's font plus 2 pixels.
void FitHorizontalExtent(HWND list);

}  // namespace quillo
