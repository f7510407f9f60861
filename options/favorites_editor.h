// The Favorites editor (dialog 458): edits the first favoritesCount slots of the favourites
// table as a list of lines.
#pragma once

#include <windows.h>

namespace quillo {

// Runs the editor modally; OK (1) replaces the edited slots, Cancel (2) leaves the table as it was.
INT_PTR RunFavoritesEditor(HWND owner);

}  // namespace quillo
