#include "system_colors.h"

#include <windows.h>

namespace quillo {

SystemColors ReadSystemColors() {
  return SystemColors{GetSysColor(COLOR_MENU), GetSysColor(COLOR_HIGHLIGHT),
                      GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                      GetSysColor(COLOR_3DDKSHADOW)};
}

}  // namespace quillo
