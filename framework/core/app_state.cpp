#include "app_state.h"

#include <cstring>

namespace lwf {

AppState DefaultAppState() {
  AppState state{};
  state.opacity = 255;
  std::strncpy(state.fontFace, "Tahoma", sizeof state.fontFace - 1);
  state.fontSize = 8;
  return state;
}

bool AdoptAppState(AppState& state, std::uint32_t programStateVersion) {
  const bool newVersion = state.stateVersion != programStateVersion;
  state.stateVersion = programStateVersion;
  if (state.stateWord >= 2) state.stateWord = 0;
  return newVersion;
}

}  // namespace lwf
