// The mode marker in Setup's initialised data: "SetupMode:Setup" in the distributed program,
// "SetupMode:Unins" in the uninstaller copy made from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillo::setup {

constexpr std::size_t kModeMarkerSize = 15;

// Assembled at run time so that the program's constant data does not hold the marker whole.
std::string SetupModeMarker();
std::string UninstallModeMarker();

// Uninstall mode: the five characters after "SetupMode:" are not "Setup".
bool IsUninstallMarker(const char* marker);

// Replaces every setup marker in the image by the uninstall marker; returns how many.
std::size_t MarkAsUninstaller(std::vector<std::uint8_t>& image);

}  // namespace quillo::setup
