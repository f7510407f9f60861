#include "menu_animation.h"

namespace quillo {

void SuspendMenuAnimation(ExtensionState& state) {
  BOOL animation = FALSE;
  if (SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0) && animation) {
    SystemParametersInfoA(SPI_SETMENUANIMATION, 0, nullptr, 0);  // FALSE, not in the profile
    state.MenuAnimationWasOn = 1;
  }
}

void RestoreMenuAnimation(ExtensionState& state) {
  if (!state.MenuAnimationWasOn) return;
  SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(TRUE), 0);
  state.MenuAnimationWasOn = 0;
}

}  // namespace quillo
