// Switching a view option from inside the menus (keys S, H, P, U and the middle button): the
// option changes, the submenu the user is in closes and reopens rebuilt with it, and the
// options file is saved so the options program and later menus see the change.
#pragma once

#include "menu/core/view_option_toggle.h"

namespace quillo {

void ToggleViewOption(ViewOption which);

}  // namespace quillo
