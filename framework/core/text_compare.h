// ASCII comparisons without regard to letter case (switches, folder names, registry texts).
#pragma once

#include <string_view>

namespace lwf {

bool EqualsIgnoringCase(const char* a, const char* b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Whether text ends with suffix, case ignored.
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace lwf
