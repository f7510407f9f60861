// ASCII comparisons without regard to letter case (switches, folder names, registry texts).
#pragma once

namespace lwf {

bool EqualsIgnoringCase(const char* a, const char* b);

}  // namespace lwf
