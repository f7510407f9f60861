// Byte layouts of the framework's own data files "(LWF)App" and "(LWF)Win".
#pragma once

#include <cstddef>
#include <cstdint>

namespace lwf {

#pragma pack(push, 1)
// "(LWF)App": the state word, the application state version and the settings of the UI item
// library (colour scheme, opacity, interface font).
struct AppState {
  std::uint32_t stateWord;
  std::uint32_t stateVersion;
  std::int32_t colorScheme;
  std::uint8_t opacity;  // 255 = opaque
  char fontFace[260];
  std::int32_t fontSize;  // points
  std::uint8_t reserved[20];
};

// "(LWF)Win<index>": one framework window's placement, flags and opacity.
struct WindowPlacementRecord {
  std::int16_t left;
  std::int16_t top;
  std::int16_t width;
  std::int16_t height;
  std::uint32_t flags;
  std::uint32_t opacityWord;  // low byte opacity, bit 12 click-through
};
#pragma pack(pop)

static_assert(sizeof(AppState) == 297);
static_assert(offsetof(AppState, stateVersion) == 4);
static_assert(offsetof(AppState, fontFace) == 13);
static_assert(sizeof(WindowPlacementRecord) == 16);
static_assert(offsetof(WindowPlacementRecord, flags) == 8);

constexpr std::uint32_t kClickThroughBit = 0x1000;

// The state a fresh installation starts with: default scheme, full opacity, "Tahoma" 8.
AppState DefaultAppState();

// Applies the start-up rules to a state read from "(LWF)App": returns true (the new-version
// flag) when the stored version differs from the program's, then stores the program's version;
// a state word of 2 or more is reset to 0.
bool AdoptAppState(AppState& state, std::uint32_t programStateVersion);

}  // namespace lwf
