#include "setup_mode_marker.h"

#include <algorithm>
#include <cstring>

namespace quillo::setup {

std::string SetupModeMarker() { return std::string("SetupMode:") + "Setup"; }

std::string UninstallModeMarker() { return std::string("SetupMode:") + "Unins"; }

bool IsUninstallMarker(const char* marker) { return std::strncmp(marker + 10, "Setup", 5) != 0; }

std::size_t MarkAsUninstaller(std::vector<std::uint8_t>& image) {
  const std::string from = SetupModeMarker(), to = UninstallModeMarker();
  std::size_t count = 0;
  auto at = image.begin();
  while ((at = std::search(at, image.end(), from.begin(), from.end())) != image.end()) {
    std::copy(to.begin(), to.end(), at);
    at += static_cast<std::ptrdiff_t>(to.size());
    ++count;
  }
  return count;
}

}  // namespace quillo::setup
