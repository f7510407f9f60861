// The version file on the vendor's web server: text starting with three decimal numbers separated
// by dots, read as "%d.%d.%d" would (white space allowed before each number); the rest is ignored.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace lwf {

using VersionNumbers = std::array<int, 3>;

// The three numbers, or nothing when fewer than three can be read (or one does not fit an int).
std::optional<VersionNumbers> ParseVersionFile(std::string_view text);

// Any difference from the program's own version counts as a new version.
bool IsNewVersion(const VersionNumbers& published, const int (&own)[3]);

}  // namespace lwf
